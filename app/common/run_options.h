// The options of "vexa-sim run" and "vexa-sim shell".
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/common/transcript.h"

// What --changes lists: the changes of each command apart, or of the whole run at once.
enum class ChangesScope { kCommand, kRun };

struct RunOptions {
    std::filesystem::path scenario;
    TranscriptFormat format = TranscriptFormat::kText;
    std::optional<std::filesystem::path> saveDrawing;
    std::optional<std::filesystem::path> workdir;
    std::filesystem::path module;
    // "BOMIniFile" and "WSPATH" may name places outside the work directory.
    bool allowOutsideWorkdir = false;
    // The drawing is kept as it starts, to tell what the run changed in it.
    bool changes = false;
    ChangesScope changesScope = ChangesScope::kCommand;
    // A run that met a failure (an alert, a printed host or mapping-file failure, a refused PDM
    // call, a PDM error answer) exits with kExitFailuresSeen.
    bool strict = false;
    // The text shows no PDM protocol.
    bool quiet = false;
    // The text shows the host's internal markers ([regen], [foreground]).
    bool verbose = false;
    // A saved drawing (what --save-drawing writes) that replaces the scenario's drawing.
    std::optional<std::filesystem::path> drawing;
};

// The bundled example that runs when no scenario is named.
std::filesystem::path BundledExample();

// Makes the paths of the options absolute, as a run changes the current directory.
RunOptions Absolute(const RunOptions& options);

// The documented usage of "run" (shell false) or "shell", lines ending in a line break.
std::string RunUsage(bool shell);

// Reads the arguments of "run" (shell false) or "shell", the verb's name not among them.
// Answers nullopt when the verb should go on; otherwise its exit code: 0 after --help (the
// usage and the options on out), kExitUnusable after a wrong argument (the reason and the
// usage on err).
std::optional<int> ParseRunOptions(const std::vector<std::string>& args, const char* argv0,
                                   bool shell, RunOptions& options, std::ostream& out,
                                   std::ostream& err);
