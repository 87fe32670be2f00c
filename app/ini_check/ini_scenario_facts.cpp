#include "app/ini_check/ini_scenario_facts.h"

#include "app/common/scenario.h"
#include "app/common/text_conversion.h"
#include "base/host_status_error.h"
#include "bom/bom_context.h"
#include "bom/bom_standard.h"
#include "bom/row_cursor.h"
#include "bom/transfer_guards.h"
#include "partref/row_key.h"
#include "pdm/pdm_link.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"
#include "sim/pdm/pdm_scenario.h"
#include "sim/scenario/drawing_handles.h"
#include "sim/scenario/drawing_io.h"

namespace {

void ResetStandIns() {
    sim::resetHost();
    sim::pdm::reset();
    PdmLink::Reset();
}

// The values a name takes in the environment, from the start and as steps set it.
void AddEnvValues(const Scenario& scenario, const char* name, KeySet& into) {
    into.Add(sim::pdm::env(sim::pdm::currentDocument(), U16(name)));
    for (const ScenarioStep& step : scenario.steps) {
        if (const ScenarioEnv* env = EnvSetBy(step)) {
            for (const auto& [key, value] : *env) {
                if (key == name) {
                    into.Add(U16(value));
                }
            }
        }
    }
}

}  // namespace

void KeySet::Add(const std::u16string& key) {
    if (!key.empty() && seen_.insert(key).second) {
        keys.push_back(key);
    }
}

ScenarioFacts::ScenarioFacts(const std::filesystem::path& file) {
    const Scenario scenario = ReadScenario(file);
    commands = CommandsOf(scenario);
    ResetStandIns();
    try {
        const sim::FaultsSuspended own;
        sim::DrawingHandles handles;
        bool first = true;
        scenario.drawing.Load(
            [&first]() -> sim::Database& {
                if (!first) {
                    ResetStandIns();
                }
                first = false;
                return sim::workingDatabase();
            },
            handles);
        sim::pdm::configure(scenario.pdm, "/pdm");
        sim::pdm::setLogging(false);

        for (const std::u16string& name : AllBomColumns()) {
            columns.insert(name);
        }
        ReadRows();
        AddEnvValues(scenario, "PARTREF", storedRowKeys);
        AddEnvValues(scenario, "ORBKEY", drawingKeys);
        if (scenario.pdm.contains("selectItem")) {
            for (const auto& key : scenario.pdm["selectItem"]) {
                selectedKeys.Add(U16(key.get<std::string>()));
            }
        }
    } catch (...) {
        ResetStandIns();
        throw;
    }
}

ScenarioFacts::~ScenarioFacts() {
    ResetStandIns();
}

// The rows as the module's commands see them, each with the key its refresh would use.
void ScenarioFacts::ReadRows() {
    BomContext context;
    if (LocateBom(context) == kBomMissing) {
        return;
    }
    hasPartsList = true;
    try {
        PrepareBomRows(context);
        RowCursor cursor(context.bomId);
        for (; cursor && !cursor.done(); cursor.step()) {
            rows.push_back(ReadBomRow(cursor.currentRowId()));
            const RowKey key = SelectRowKey(rows.back());
            (key.database == nullptr ? storedRowKeys : partNumberKeys).Add(key.key);
        }
    } catch (const HostStatusError& failure) {
        partsListFailure = failure.text();
    }
}
