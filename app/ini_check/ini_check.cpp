#include "app/ini_check/ini_check.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "app/common/exit_codes.h"
#include "app/common/file_error.h"
#include "app/common/file_path.h"
#include "app/common/file_read.h"
#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
#include "app/common/verb_arguments.h"
#include "app/ini_check/ini_column_check.h"
#include "app/ini_check/ini_expression_check.h"
#include "app/ini_check/ini_load_explainer.h"
#include "app/ini_check/ini_report.h"
#include "app/ini_check/ini_scenario_check.h"
#include "app/ini_check/ini_section_names.h"
#include "app/ini_check/scenario_mapping_file.h"
#include "config/ini_file.h"
#include "config/ini_line.h"
#include "config/text_file_read.h"
#include "host/vx_string.h"
#include "sim/scenario/scenario_error.h"

namespace {

constexpr const char* kUsage =
    "usage: vexa-sim ini-check FILE [--section NAME] [--scenario S.json]\n"
    "       vexa-sim ini-check --scenario S.json [FILE] [--section NAME [--key KEY [--db NAME]]]\n";

struct Arguments {
    std::optional<std::string> file;  // without it, the scenario's "BOMIniFile"
    std::optional<std::string> section;
    std::optional<std::string> scenario;
    std::optional<std::string> key;
    std::optional<std::string> database;
};

// Answers nullopt when the check should go on, else the exit code (0 after --help).
std::optional<int> ParseArguments(const std::vector<std::string>& args, Arguments& parsed,
                                  std::ostream& out, std::ostream& err) {
    CLI::App verb;
    std::string file;
    std::string section;
    std::string scenario;
    std::string key;
    std::string database;
    verb.add_option("file", file, "the mapping file; without it, the scenario's BOMIniFile");
    verb.add_option("--section", section, "the one section to check");
    verb.add_option("--scenario", scenario, "the scenario whose drawing and PDM it is checked on");
    verb.add_option("--key", key, "the answer of the section's key prompt");
    verb.add_option("--db", database, "the answer of the section's PDM folder prompt");
    for (CLI::Option* option : verb.get_options()) {
        option->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    }
    if (const std::optional<int> done = ParseVerbArguments(verb, kUsage, args, out, err)) {
        return done;
    }
    const auto given = [&verb](const char* name, const std::string& value) {
        return verb.count(name) > 0 ? std::optional<std::string>(value) : std::nullopt;
    };
    parsed = Arguments{given("file", file), given("--section", section),
                       given("--scenario", scenario), given("--key", key), given("--db", database)};
    // The key and the folder stand for the answers of a prompt, so they need the section
    // and a PDM to ask.
    const bool keyFits = !parsed.key || (parsed.section && parsed.scenario);
    const bool databaseFits = !parsed.database || parsed.key;
    if ((!parsed.file && !parsed.scenario) || !keyFits || !databaseFits) {
        err << "vexa-sim: ini-check needs FILE or --scenario; --key needs --section and "
               "--scenario, --db needs --key\n"
            << kUsage;
        return kExitUnusable;
    }
    return std::nullopt;
}

std::string LoadStateText(std::int32_t state) {
    switch (state) {
        case kIniLoaded:
            return "1 (read, with at least one section: the module uses it)";
        case kIniNoSection:
            return "-2 (read, but no section header: the module finds no section and tries "
                   "again at every command)";
        default:
            break;
    }
    return std::to_string(state);
}

std::string WhyNotLoaded(CTextFileRead::Refusal refusal) {
    // The reader also refuses a file too short to tell its encoding.
    return refusal == CTextFileRead::Refusal::kUnreadable ||
                   refusal == CTextFileRead::Refusal::kNone
               ? "unreadable or shorter than two bytes"
               : RefusalText(refusal);
}

void PrintWarnings(const std::vector<IniWarning>& warnings, std::ostream& to) {
    to << "\nwarnings: " << warnings.size() << '\n';
    for (const IniWarning& warning : warnings) {
        if (warning.line > 0) {
            to << "line " << warning.line << ": ";
        }
        to << warning.text << '\n';
    }
}

// A section's pairs as ReadSection delivers them, except that its "SUPER" pair is its own:
// the one a SUPER section delivers over it is not what the file says of this section.
void PrintEntries(const CIniFile& file, const SectionsSeen& sections, const std::u16string& name,
                  std::ostream& out) {
    SectionEntries entries;
    file.ReadSection(name, false, entries);
    const auto seen = sections.find(FoldSectionName(name));
    const std::u16string super(kSuperKey);
    if (seen != sections.end() && seen->second.keyLines.contains(super)) {
        entries[super] = seen->second.superValue;
    }
    for (const auto& [key, value] : entries) {
        out << ShownText(key) << '=' << ShownText(value) << '\n';
    }
}

void TellScenarioFailure(const std::string& scenario, std::ostream& err) {
    try {
        throw;
    } catch (const sim::ScenarioError& e) {
        err << "ini-check: " << EscapeControls(scenario) << ": at "
            << (e.path().empty() ? std::string("the top") : EscapeControls(e.path())) << ": "
            << EscapeControls(e.what()) << "\n";
    } catch (const FileError& e) {
        err << "ini-check: " << EscapeControls(e.what()) << "\n";
    } catch (const std::exception& e) {
        err << "ini-check: " << EscapeControls(scenario) << ": " << EscapeControls(e.what())
            << "\n";
    }
}

// The scenario's findings join the file's own warnings; false, with the reason told, when the
// scenario cannot be used.
bool CheckScenario(const Arguments& parsed, const CIniFile& file, LoadExplanation& read,
                   ScenarioCheck& check, std::ostream& err) {
    const std::filesystem::path scenario = PathFromUtf8(*parsed.scenario);
    std::optional<std::u16string> only;
    if (parsed.section) {
        only = U16(*parsed.section);
    }
    PromptAnswers answers;
    if (parsed.key) {
        answers.key = U16(*parsed.key);
    }
    if (parsed.database) {
        answers.database = U16(*parsed.database);
    }
    try {
        check = CheckAgainstScenario(file, read.sections, scenario, only, answers);
        return true;
    } catch (...) {
        TellScenarioFailure(*parsed.scenario, err);
    }
    return false;
}

// What needs the whole file and the sections a scenario types: unread sections, column
// definitions, expressions.
void CheckFile(const Arguments& parsed, const CIniFile& file, LoadExplanation& read,
               const std::set<std::u16string>& prompted) {
    std::set<std::u16string> alsoRead = prompted;
    if (parsed.section) {
        alsoRead.insert(FoldSectionName(U16(*parsed.section)));
    }
    for (std::vector<IniWarning> more : {UnreadSectionWarnings(file, read.sections, alsoRead),
                                         ColumnDefinitionWarnings(file, read.sections),
                                         ExpressionSyntaxWarnings(file, read.sections, alsoRead)}) {
        read.warnings.insert(read.warnings.end(), more.begin(), more.end());
    }
}

}  // namespace

int RunIniCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments parsed;
    if (const std::optional<int> done = ParseArguments(args, parsed, out, err)) {
        return *done;
    }
    std::unique_ptr<ScenarioMappingFile> fromScenario;
    std::string shownFile;
    if (parsed.file) {
        shownFile = EscapeControls(*parsed.file);
    } else {
        try {
            fromScenario = std::make_unique<ScenarioMappingFile>(PathFromUtf8(*parsed.scenario));
        } catch (...) {
            TellScenarioFailure(*parsed.scenario, err);
            return kExitUnusable;
        }
        shownFile = EscapeControls(fromScenario->Name()) + " (the scenario's \"BOMIniFile\")";
    }
    const std::u16string path = parsed.file ? U16(*parsed.file) : fromScenario->Path().u16string();
    CIniFile file;
    LoadExplanation read = LoadAndExplain(path, file);
    if (file.LoadState() == kIniFileNotOpened) {
        err << "ini-check: cannot load " << shownFile << ": "
            << EscapeControls(WhyNotLoaded(read.refusal)) << "\n";
        return kExitUnusable;
    }
    ScenarioCheck check;
    if (parsed.scenario && !CheckScenario(parsed, file, read, check, err)) {
        return kExitUnusable;
    }
    CheckFile(parsed, file, read, check.promptedSections);
    read.warnings.insert(read.warnings.end(), check.warnings.begin(), check.warnings.end());
    SortByLine(read.warnings);

    if (parsed.section) {
        const std::u16string name = U16(*parsed.section);
        if (!file.HasSection(name)) {
            read.warnings.push_back(
                {0, "no section " + Header(FoldSectionName(name)) + " in the file"});
        }
        PrintEntries(file, read.sections, name, out);
    } else {
        out << "file: " << shownFile << '\n';
        out << "encoding: " << read.encoding << '\n';
        out << "load state: " << LoadStateText(file.LoadState()) << '\n';
        const std::vector<std::u16string> names = file.SectionNames();
        out << "sections: " << names.size() << '\n';
        for (const std::u16string& name : names) {
            out << '\n' << Header(name) << '\n';
            PrintEntries(file, read.sections, name, out);
        }
    }
    if (parsed.scenario) {
        out << "\nscenario: " << EscapeControls(*parsed.scenario) << '\n';
        for (const std::string& note : check.notes) {
            out << note << '\n';
        }
    }
    PrintWarnings(read.warnings, out);
    return read.warnings.empty() ? kExitDone : kExitWarnings;
}
