// The options of "vexa-sim run" and "vexa-sim shell".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/common/transcript.h"

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
};

// The bundled example that runs when no scenario is named.
std::filesystem::path BundledExample();

// Makes the paths of the options absolute, as a run changes the current directory.
RunOptions Absolute(const RunOptions& options);

bool ParseRunOptions(const std::vector<std::string>& args, const char* argv0, bool shell,
                     RunOptions& options, std::string& error);
