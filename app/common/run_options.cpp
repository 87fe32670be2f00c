#include "app/common/run_options.h"

#include "app/common/file_path.h"
#include "app/common/module_loader.h"
#include "app/common/terminal_text.h"

RunOptions Absolute(const RunOptions& options) {
    RunOptions absolute = options;
    absolute.scenario = std::filesystem::absolute(options.scenario);
    absolute.module = std::filesystem::absolute(options.module);
    if (options.saveDrawing) {
        absolute.saveDrawing = std::filesystem::absolute(*options.saveDrawing);
    }
    if (options.workdir) {
        absolute.workdir = std::filesystem::absolute(*options.workdir);
    }
    return absolute;
}

std::filesystem::path BundledExample() {
    return std::filesystem::path(ORBD_EXAMPLES_DIR) / "parts-list.json";
}

bool ParseRunOptions(const std::vector<std::string>& args, const char* argv0, bool shell,
                     RunOptions& options, std::string& error) {
    options.module = DefaultModulePath(argv0);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool hasValue = i + 1 < args.size();
        if (word == "--format" && !shell) {
            if (!hasValue || !ParseTranscriptFormat(args[++i], options.format)) {
                error = "--format takes text or jsonl";
                return false;
            }
        } else if (word == "--save-drawing" && !shell) {
            if (!hasValue) {
                error = "--save-drawing needs a file";
                return false;
            }
            options.saveDrawing = PathFromUtf8(args[++i]);
        } else if (word == "--workdir") {
            if (!hasValue) {
                error = "--workdir needs a folder";
                return false;
            }
            options.workdir = PathFromUtf8(args[++i]);
        } else if (word == "--changes" && !shell) {
            options.changes = true;
        } else if (word == "--allow-outside-workdir") {
            options.allowOutsideWorkdir = true;
        } else if (word == "--module") {
            if (!hasValue) {
                error = "--module needs a file";
                return false;
            }
            options.module = PathFromUtf8(args[++i]);
        } else if (!word.empty() && word[0] == '-') {
            error = "unknown option " + EscapeControls(word);
            return false;
        } else if (options.scenario.empty()) {
            options.scenario = PathFromUtf8(word);
        } else {
            error = "more than one scenario given";
            return false;
        }
    }
    if (options.scenario.empty()) {
        options.scenario = BundledExample();
    }
    return true;
}
