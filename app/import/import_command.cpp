#include "app/import/import_command.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <utility>

#include "app/common/exit_codes.h"
#include "app/common/file_error.h"
#include "app/common/file_path.h"
#include "app/common/terminal_text.h"
#include "app/common/verb_arguments.h"
#include "app/import/import_error.h"
#include "app/import/replace_file.h"
#include "app/import/scenario_import.h"
#include "sim/scenario/scenario_error.h"

namespace {

constexpr const char* kUsage =
    "usage: vexa-sim import --bom FILE [--pdm TABLE=FILE ...] [--mapping FILE.ini]\n"
    "                       [--env NAME=VALUE ...] [--type LINE ...] [--part-refs]\n"
    "                       [--separator C] [-o OUT.json]\n";

std::optional<std::string> ReadWhole(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

// "NAME=VALUE", split at the first "=", with a name.
bool SplitAssignment(const std::string& text, std::pair<std::string, std::string>& parts) {
    const std::size_t at = text.find('=');
    if (at == std::string::npos || at == 0) {
        return false;
    }
    parts = {text.substr(0, at), text.substr(at + 1)};
    return true;
}

bool ParseSeparator(const std::string& text, char& separator) {
    if (text == "tab" || text == "\\t") {
        separator = '\t';
        return true;
    }
    if (text.size() != 1 || text[0] == '"' || text[0] == '\r' || text[0] == '\n' ||
        static_cast<unsigned char>(text[0]) >= 0x80) {
        return false;
    }
    separator = text[0];
    return true;
}

class ArgumentError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

ImportFile Input(const std::string& file) {
    std::optional<std::string> bytes = ReadWhole(file);
    if (!bytes) {
        throw ImportError(file, 0, "cannot be read");
    }
    return {file, std::move(*bytes)};
}

ImportSources Sources(const std::string& bom, const std::vector<std::string>& pdm,
                      const std::string& mapping, const std::vector<std::string>& env,
                      const std::vector<std::string>& typed, bool partRefs,
                      const std::string& separator) {
    ImportSources sources;
    sources.partRefs = partRefs;
    sources.typed = typed;
    if (!separator.empty() && !ParseSeparator(separator, sources.separator)) {
        throw ArgumentError(
            "--separator takes one character (or \"tab\"), not a quote, a line "
            "break or a character beyond ASCII");
    }
    std::set<std::string> names;
    for (const std::string& text : env) {
        std::pair<std::string, std::string> value;
        if (!SplitAssignment(text, value)) {
            throw ArgumentError("--env takes NAME=VALUE, not \"" + text + "\"");
        }
        if (value.first == "BOMIniFile" && !mapping.empty()) {
            throw ArgumentError("--mapping names the BOMIniFile; --env cannot set it too");
        }
        if (!names.insert(value.first).second) {
            throw ArgumentError("--env sets \"" + value.first + "\" twice");
        }
        sources.env.push_back(std::move(value));
    }
    std::set<std::string> tables;
    for (const std::string& text : pdm) {
        std::pair<std::string, std::string> table;
        if (!SplitAssignment(text, table)) {
            throw ArgumentError("--pdm takes TABLE=FILE, not \"" + text + "\"");
        }
        if (!tables.insert(table.first).second) {
            throw ArgumentError("--pdm gives the table \"" + table.first + "\" twice");
        }
        sources.pdmTables.emplace_back(table.first, Input(table.second));
    }
    if (!mapping.empty()) {
        const ImportFile file = Input(mapping);
        sources.mappingName = std::filesystem::path(mapping).filename().string();
        sources.mappingBytes = file.bytes;
    }
    sources.bom = Input(bom);
    return sources;
}

}  // namespace

int RunImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string bom;
    std::vector<std::string> pdm;
    std::string mapping;
    std::vector<std::string> env;
    std::vector<std::string> typed;
    bool partRefs = false;
    std::string separator;
    std::string output;
    CLI::App verb;
    verb.add_option("--bom", bom, "the parts list: the module's export, CSV or TSV")->required();
    verb.add_option("--pdm", pdm, "TABLE=FILE: a PDM table from CSV (repeatable)");
    verb.add_option("--mapping", mapping, "the mapping file, which BOMIniFile then names");
    verb.add_option("--env", env, "NAME=VALUE: a PDM environment value (repeatable)");
    verb.add_option("--type", typed, "a command line typed as a step, Enter added (repeatable)");
    verb.add_flag("--part-refs", partRefs, "a part reference for each row");
    verb.add_option("--separator", separator, "the separator of every file: , ; or tab");
    verb.add_option("-o,--output", output, "the scenario file; without it, standard output");
    if (const std::optional<int> done = ParseVerbArguments(verb, kUsage, args, out, err)) {
        return *done;
    }
    nlohmann::json scenario;
    try {
        scenario =
            ImportScenarioDocument(Sources(bom, pdm, mapping, env, typed, partRefs, separator));
    } catch (const ArgumentError& e) {
        err << "vexa-sim: " << EscapeControls(e.what(), EscapeForm::kUnicode) << "\n" << kUsage;
        return kExitUnusable;
    } catch (const ImportError& e) {
        err << "vexa-sim: " << EscapeControls(e.file(), EscapeForm::kUnicode) << ": "
            << (e.line() == 0 ? std::string() : "line " + std::to_string(e.line()) + ": ")
            << e.what() << "\n";
        return kExitUnusable;
    } catch (const sim::ScenarioError& e) {
        err << "vexa-sim: the scenario would break its format at "
            << EscapeControls(e.path(), EscapeForm::kUnicode) << ": "
            << EscapeControls(e.what(), EscapeForm::kUnicode) << "\n";
        return kExitUnusable;
    }
    if (output.empty()) {
        errno = 0;
        WriteScenarioText(scenario, out);
        out.flush();
        if (!out) {
            err << "vexa-sim: standard output: cannot write: " << SystemReason(errno) << "\n";
            return kExitUnusable;
        }
        return kExitDone;
    }
    try {
        ReplaceFile(PathFromUtf8(output),
                    [&scenario](std::ostream& file) { WriteScenarioText(scenario, file); });
    } catch (const FileError& e) {
        err << "vexa-sim: " << EscapeControls(e.what(), EscapeForm::kUnicode) << "\n";
        return kExitUnusable;
    }
    return kExitDone;
}
