#include "app/ini_check/ini_check.h"

#include <filesystem>
#include <optional>

#include "app/common/exit_codes.h"
#include "app/common/file_error.h"
#include "app/common/file_path.h"
#include "app/common/file_read.h"
#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
#include "app/ini_check/ini_load_explainer.h"
#include "app/ini_check/ini_report.h"
#include "app/ini_check/ini_scenario_check.h"
#include "config/ini_file.h"
#include "config/ini_line.h"
#include "config/text_file_read.h"
#include "host/vx_string.h"
#include "sim/scenario/scenario_error.h"

namespace {

constexpr const char* kUsage =
    "usage: vexa-sim ini-check FILE [--section NAME] [--scenario S.json]\n";

struct Arguments {
    std::string file;
    std::optional<std::string> section;
    std::optional<std::string> scenario;
};

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::optional<std::string>* option = args[i] == "--section"    ? &parsed.section
                                             : args[i] == "--scenario" ? &parsed.scenario
                                                                       : nullptr;
        if (option != nullptr) {
            if (i + 1 >= args.size() || option->has_value()) {
                return std::nullopt;
            }
            *option = args[++i];
        } else if (!haveFile && !args[i].starts_with("--")) {
            parsed.file = args[i];
            haveFile = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveFile) {
        return std::nullopt;
    }
    return parsed;
}

std::string WhyNotLoaded(CTextFileRead::Refusal refusal) {
    // The reader also refuses a file too short to tell its encoding.
    return refusal == CTextFileRead::Refusal::kUnreadable ||
                   refusal == CTextFileRead::Refusal::kNone
               ? "unreadable or shorter than two bytes"
               : RefusalText(refusal);
}

void PrintWarnings(const std::vector<IniWarning>& warnings, std::ostream& to) {
    for (const IniWarning& warning : warnings) {
        if (warning.line > 0) {
            to << "line " << warning.line << ": ";
        }
        to << warning.text << '\n';
    }
}

void PrintEntries(const SectionEntries& entries, std::ostream& out) {
    for (const auto& [key, value] : entries) {
        out << ShownText(key) << '=' << ShownText(value) << '\n';
    }
}

// The scenario's findings join the file's own warnings; false, with the reason told, when the
// scenario cannot be used.
bool CheckScenario(const Arguments& parsed, const CIniFile& file, LoadExplanation& read,
                   std::vector<std::string>& notes, std::ostream& err) {
    const std::filesystem::path scenario = PathFromUtf8(*parsed.scenario);
    std::optional<std::u16string> only;
    if (parsed.section) {
        only = U16(*parsed.section);
    }
    try {
        ScenarioCheck check = CheckAgainstScenario(file, read.sections, scenario, only);
        read.warnings.insert(read.warnings.end(), check.warnings.begin(), check.warnings.end());
        SortByLine(read.warnings);
        notes = std::move(check.notes);
        return true;
    } catch (const sim::ScenarioError& e) {
        err << "ini-check: " << EscapeControls(*parsed.scenario) << ": at "
            << (e.path().empty() ? std::string("the top") : EscapeControls(e.path())) << ": "
            << EscapeControls(e.what()) << "\n";
    } catch (const FileError& e) {
        err << "ini-check: " << EscapeControls(e.what()) << "\n";
    } catch (const std::exception& e) {
        err << "ini-check: " << EscapeControls(*parsed.scenario) << ": " << EscapeControls(e.what())
            << "\n";
    }
    return false;
}

}  // namespace

int RunIniCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<Arguments> parsed = ParseArguments(args);
    if (!parsed) {
        err << kUsage;
        return kExitUnusable;
    }
    const std::u16string path = U16(parsed->file);
    CIniFile file;
    LoadExplanation read = LoadAndExplain(path, file);
    if (file.LoadState() == kIniFileNotOpened) {
        err << "ini-check: cannot load " << EscapeControls(parsed->file) << ": "
            << EscapeControls(WhyNotLoaded(read.refusal)) << "\n";
        return kExitUnusable;
    }
    std::vector<std::string> notes;
    if (parsed->scenario && !CheckScenario(*parsed, file, read, notes, err)) {
        return kExitUnusable;
    }

    if (parsed->section) {
        const std::u16string name = U16(*parsed->section);
        SectionEntries entries;
        if (!file.HasSection(name)) {
            read.warnings.push_back(
                {0, "no section " + Header(FoldSectionName(name)) + " in the file"});
        }
        file.ReadSection(name, false, entries);
        PrintEntries(entries, out);
        PrintWarnings(read.warnings, err);
        return read.warnings.empty() ? kExitDone : kExitWarnings;
    }

    out << "file: " << EscapeControls(parsed->file) << '\n';
    out << "encoding: " << read.encoding << '\n';
    out << "load state: " << file.LoadState() << '\n';
    const std::vector<std::u16string> names = file.SectionNames();
    out << "sections: " << names.size() << '\n';
    for (const std::u16string& name : names) {
        SectionEntries entries;
        file.ReadSection(name, false, entries);
        out << '\n' << Header(name) << '\n';
        PrintEntries(entries, out);
    }
    if (parsed->scenario) {
        out << "\nscenario: " << EscapeControls(*parsed->scenario) << '\n';
        for (const std::string& note : notes) {
            out << note << '\n';
        }
    }
    out << "\nwarnings: " << read.warnings.size() << '\n';
    PrintWarnings(read.warnings, out);
    return read.warnings.empty() ? kExitDone : kExitWarnings;
}
