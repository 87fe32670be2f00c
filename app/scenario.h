// A scenario file of vexa-sim: the files of its work directory, the drawing, the PDM, the
// answers for message boxes and dialogs, and the steps to run.
//
// Reading checks the whole file against the schema before anything runs; the drawing and
// the PDM sections are checked by the platform parts that take them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// One file to write into the work directory before the run.
struct ScenarioFile {
    std::string name;
    std::string bytes;  // already encoded
};

// One step, kept as JSON with its place in the file; the runner interprets it.
struct ScenarioStep {
    enum class Kind { kType, kCommand, kLisp, kSave, kFail, kEnv };
    Kind kind;
    nlohmann::json node;
    std::string path;
};

struct Scenario {
    std::filesystem::path file;
    std::vector<ScenarioFile> files;
    nlohmann::json drawing = nlohmann::json::object();
    nlohmann::json pdm = nlohmann::json::object();
    // Host functions that vxedInvoke and lisp reach: name to the text they answer, or null
    // for a function that fails.
    nlohmann::json hostFunctions = nlohmann::json::object();
    std::vector<nlohmann::json> ui;
    std::vector<ScenarioStep> steps;
};

// Reads and checks a scenario file; throws sim::ScenarioError naming the place.
Scenario ReadScenario(const std::filesystem::path& file);
// The same for a document already parsed.
Scenario ParseScenario(const nlohmann::json& document);
