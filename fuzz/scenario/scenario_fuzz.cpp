// Feeds arbitrary text through the scenario reader: the schema check, the drawing and the
// PDM loaded into the stand-ins, the checks of the steps against the drawing, and the drawing
// saved back. Anything but a clean result or sim::ScenarioError is a finding; so is a saved
// drawing that does not load again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/common/scenario.h"
#include "app/common/scenario_text.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"
#include "sim/pdm/pdm_scenario.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/scenario_error.h"

namespace {

nlohmann::json LoadAndSave(const nlohmann::json& drawing) {
    sim::resetHost();
    sim::DrawingHandles handles;
    sim::loadDrawing(drawing, "/drawing", sim::workingDatabase(), handles);
    return sim::saveDrawing(sim::workingDatabase(), handles, handles.loadedModules);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const sim::FaultsSuspended own;
    try {
        const Scenario scenario = ParseScenario(
            ParseScenarioText(std::string(reinterpret_cast<const char*>(data), size)));
        sim::resetHost();
        sim::pdm::reset();
        sim::DrawingHandles handles;
        sim::loadDrawing(scenario.drawing, "/drawing", sim::workingDatabase(), handles);
        CheckStepsAgainstDrawing(scenario, sim::workingDatabase(), handles);
        sim::pdm::configure(scenario.pdm, "/pdm");
        const nlohmann::json saved =
            sim::saveDrawing(sim::workingDatabase(), handles, handles.loadedModules);
        // The saved form loads again, into the same saved form.
        try {
            if (LoadAndSave(saved) != saved) {
                __builtin_trap();
            }
        } catch (const sim::ScenarioError&) {
            __builtin_trap();
        }
    } catch (const sim::ScenarioError&) {
        // A scenario that breaks the schema: the expected answer to most inputs.
    }
    return 0;
}
