// A scenario file of vexa-sim: the files of its work directory, the drawing, the PDM, the
// answers for message boxes and dialogs, and the steps to run.
//
// Reading checks the whole file against the schema before anything runs; the drawing and
// the PDM sections are checked by the platform parts that take them.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/common/scenario_drawing.h"
#include "app/common/scenario_step.h"
#include "sim/host/database.h"
#include "sim/scenario/drawing_handles.h"

// One file to write into the work directory before the run.
struct ScenarioFile {
    std::string name;
    std::string bytes;  // already encoded
};

// A PDM environment value that names a place in the file system ("BOMIniFile", "WSPATH"),
// with the JSON place that sets it.
struct ScenarioPathSetting {
    std::string name;
    std::string value;
    std::string path;
};

struct Scenario {
    std::filesystem::path file;
    std::vector<ScenarioFile> files;
    ScenarioDrawing drawing;
    nlohmann::json pdm = nlohmann::json::object();
    // Host functions that vxedInvoke and lisp reach: name to the text they answer, or null
    // for a function that fails.
    nlohmann::json hostFunctions = nlohmann::json::object();
    std::vector<nlohmann::json> ui;
    std::vector<ScenarioStep> steps;
    std::vector<ScenarioPathSetting> pathSettings;
};

// Reads and checks a scenario file; throws FileError for a file that is not read
// (file_read.h), sim::ScenarioError naming the place for one that breaks the schema. The
// drawing keeps the file's text and is checked when it is loaded.
Scenario ReadScenario(const std::filesystem::path& file);
// The same for the text of a file; its capacity reaches ScenarioTextPadding()
// (scenario_scan.h) past its end, or the text is read as ParseScenarioText reads it.
Scenario ReadScenarioText(std::shared_ptr<const std::string> text);
// The same for a document already parsed.
Scenario ParseScenario(const nlohmann::json& document);
// The same, taking the drawing over from the document instead of copying it.
Scenario ParseScenario(nlohmann::json&& document);
// The checks of the steps that need the loaded drawing: the entities that "add" steps add and
// the handles that "erase" and "unerase" name. Throws sim::ScenarioError; changes nothing.
void CheckStepsAgainstDrawing(const Scenario& scenario, sim::Database& db,
                              sim::DrawingHandles& handles);
