// vexa-sim: runs the module in a stand-in Vexa host against a drawing and a PDM described in a
// scenario file.
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/common/exit_codes.h"
#include "app/common/program_arguments.h"
#include "app/common/run_options.h"
#include "app/common/standard_streams.h"
#include "app/common/terminal_text.h"
#include "app/diff/diff_command.h"
#if defined(ORBD_SIM_IMPORT)
#include "app/import/import_command.h"
#endif
#include "app/ini_check/ini_check.h"
#include "app/run/run_command.h"
#include "app/shell/line_reader.h"
#include "app/shell/shell.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  vexa-sim run [SCENARIO.json] [--drawing SAVED.json] [--format text|jsonl]\n"
    "               [--save-drawing OUT.json] [--changes[=command|run]] [--strict]\n"
    "               [--quiet | --verbose] [--workdir DIR] [--allow-outside-workdir]\n"
    "               [--module FILE]\n"
    "  vexa-sim diff BEFORE.json AFTER.json [--format text|jsonl]\n"
    "  vexa-sim shell [SCENARIO.json] [--workdir DIR] [--allow-outside-workdir] [--module FILE]\n"
    "  vexa-sim ini-check FILE [--section NAME] [--scenario S.json]\n"
    "  vexa-sim import --bom FILE [--pdm TABLE=FILE ...] [--mapping FILE.ini]\n"
    "                  [--env NAME=VALUE ...] [--type LINE ...] [--part-refs] [--separator C]\n"
    "                  [-o OUT.json]\n"
    "  vexa-sim --version\n"
    "Without a scenario, run and shell use the bundled example. VERB --help tells more.\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args = ProgramArguments(argc, argv);
    // The shell's prompts must show as they are written, wherever they go.
    if (args.empty() || args[0] != "shell") {
        BufferStandardOutput();
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return args.empty() ? kExitUnusable : kExitDone;
    }
    if (args[0] == "--version") {
        std::cout << "vexa-sim " ORBD_VERSION " (module orbdvmbom16.vmx)\n";
        return kExitDone;
    }
    const std::string verb = args[0];
    args.erase(args.begin());
    if (verb == "ini-check") {
        return RunIniCheck(args, std::cout, std::cerr);
    }
    if (verb == "diff") {
        return RunDiff(args, std::cout, std::cerr);
    }
#if defined(ORBD_SIM_IMPORT)
    if (verb == "import") {
        return RunImport(args, std::cout, std::cerr);
    }
#endif
    if (verb != "run" && verb != "shell") {
        std::cerr << "vexa-sim: unknown command \"" << EscapeControls(verb) << "\"\n" << kUsage;
        return kExitUnusable;
    }
    RunOptions options;
    if (const std::optional<int> done =
            ParseRunOptions(args, argv[0], verb == "shell", options, std::cout, std::cerr)) {
        return *done;
    }
    if (verb == "shell") {
        const std::unique_ptr<LineReader> reader = MakeConsoleLineReader(std::cout);
        return RunShell(options, *reader, std::cout, std::cerr);
    }
    return RunScenario(options, std::cout, std::cerr);
}
