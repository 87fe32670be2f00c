// Feeds arbitrary text through the scenario reader: the schema check, the drawing and the
// PDM loaded into the stand-ins, the checks of the steps against the drawing, and the drawing
// saved back. Anything but a clean result or sim::ScenarioError is a finding; so is a saved
// drawing that does not load again, and a text read without its DOM (as files are) that
// comes to anything else than the same text parsed whole.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/common/scenario.h"
#include "app/common/scenario_scan.h"
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

// The saved drawing, or the place and text of the scenario's fault.
std::string Outcome(const std::function<Scenario()>& read) {
    try {
        const Scenario scenario = read();
        sim::resetHost();
        sim::pdm::reset();
        sim::DrawingHandles handles;
        scenario.drawing.Load(
            [first = true]() mutable -> sim::Database& {
                if (!first) {
                    sim::resetHost();
                }
                first = false;
                return sim::workingDatabase();
            },
            handles);
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
        return saved.dump();
    } catch (const sim::ScenarioError& e) {
        // A scenario that breaks the schema: the expected answer to most inputs.
        return e.path() + ": " + e.what();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const sim::FaultsSuspended own;
    const std::string given(reinterpret_cast<const char*>(data), size);
    auto text = std::make_shared<std::string>(given);
    text->reserve(size + ScenarioTextPadding());
    const std::string whole = Outcome([&] { return ParseScenario(ParseScenarioText(given)); });
    const std::string read = Outcome([&] { return ReadScenarioText(text); });
    if (whole != read) {
        __builtin_trap();
    }
    return 0;
}
