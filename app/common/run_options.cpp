#include "app/common/run_options.h"

#include "app/common/file_path.h"
#include "app/common/module_loader.h"
#include "app/common/verb_arguments.h"

RunOptions Absolute(const RunOptions& options) {
    RunOptions absolute = options;
    absolute.scenario = std::filesystem::absolute(options.scenario);
    absolute.module = std::filesystem::absolute(options.module);
    for (auto* path : {&absolute.saveDrawing, &absolute.workdir, &absolute.drawing}) {
        if (*path) {
            *path = std::filesystem::absolute(**path);
        }
    }
    return absolute;
}

std::filesystem::path BundledExample() {
    return std::filesystem::path(ORBD_EXAMPLES_DIR) / "parts-list.json";
}

std::string RunUsage(bool shell) {
    if (shell) {
        return "usage: vexa-sim shell [SCENARIO.json] [--workdir DIR] [--allow-outside-workdir] "
               "[--module FILE]\n";
    }
    return "usage: vexa-sim run [SCENARIO.json] [--drawing SAVED.json] [--format text|jsonl]\n"
           "                    [--save-drawing OUT.json] [--changes[=command|run]] [--strict]\n"
           "                    [--quiet | --verbose] [--workdir DIR] [--allow-outside-workdir]\n"
           "                    [--module FILE]\n";
}

namespace {

std::optional<std::filesystem::path> OptionalPath(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return PathFromUtf8(text);
}

}  // namespace

std::optional<int> ParseRunOptions(const std::vector<std::string>& args, const char* argv0,
                                   bool shell, RunOptions& options, std::ostream& out,
                                   std::ostream& err) {
    std::string scenario;
    std::string workdir;
    std::string module;
    std::string format = "text";
    std::string saveDrawing;
    std::string drawing;
    std::string changes;
    CLI::App verb;
    verb.add_option("scenario", scenario, "the scenario; without it, the bundled example");
    verb.add_option("--workdir", workdir, "the work directory (kept); without it, a fresh one");
    verb.add_flag("--allow-outside-workdir", options.allowOutsideWorkdir,
                  "BOMIniFile and WSPATH may name places outside the work directory");
    verb.add_option("--module", module, "the module file; without it, the one beside vexa-sim");
    if (!shell) {
        verb.add_option("--drawing", drawing,
                        "a drawing saved with --save-drawing, in place of the scenario's");
        verb.add_option("--format", format, "text or jsonl")
            ->check(CLI::IsMember({"text", "jsonl"}));
        verb.add_option("--save-drawing", saveDrawing, "writes the resulting drawing");
        // Only "--changes=run" takes a value, so that "--changes S.json" stays the scenario.
        verb.add_flag("--changes{command}", changes,
                      "what each command changed in the drawing; =run: the whole run's")
            ->check(CLI::IsMember({"command", "run"}));
        verb.add_flag("--strict", options.strict,
                      "exit 4 after an alert, a host failure, a refused PDM call or a PDM "
                      "error answer");
        CLI::Option* quiet = verb.add_flag("--quiet", options.quiet, "no PDM protocol");
        verb.add_flag("--verbose", options.verbose, "the host's markers [regen], [foreground]")
            ->excludes(quiet);
    }
    if (const std::optional<int> done = ParseVerbArguments(verb, RunUsage(shell), args, out, err)) {
        return done;
    }
    options.scenario = scenario.empty() ? BundledExample() : PathFromUtf8(scenario);
    options.module = module.empty() ? DefaultModulePath(argv0) : PathFromUtf8(module);
    options.workdir = OptionalPath(workdir);
    options.saveDrawing = OptionalPath(saveDrawing);
    options.drawing = OptionalPath(drawing);
    ParseTranscriptFormat(format, options.format);
    options.changes = !changes.empty();
    options.changesScope = changes == "run" ? ChangesScope::kRun : ChangesScope::kCommand;
    return std::nullopt;
}
