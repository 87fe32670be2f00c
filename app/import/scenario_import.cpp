#include "app/import/scenario_import.h"

#include <iomanip>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/common/scenario.h"
#include "app/import/bom_drawing.h"
#include "app/import/import_error.h"
#include "app/import/input_table.h"
#include "app/import/mapping_file_entry.h"
#include "app/import/pdm_records.h"
#include "sim/host/faults.h"
#include "sim/scenario/drawing_io.h"

namespace {

using nlohmann::json;

DelimitedTable TableOf(const ImportFile& file, char separator) {
    try {
        return ReadInputTable(file.bytes, separator);
    } catch (const ImportError& e) {
        throw ImportError(file.name, e.line(), e.what());
    }
}

json Drawing(const ImportSources& sources) {
    try {
        return BomDrawing(TableOf(sources.bom, sources.separator), sources.partRefs);
    } catch (const ImportError& e) {
        throw ImportError(sources.bom.name, e.line(), e.what());
    }
}

json Pdm(const ImportSources& sources) {
    json env = json::object();
    for (const auto& [name, value] : sources.env) {
        env[name] = value;
    }
    if (!sources.mappingName.empty()) {
        env["BOMIniFile"] = sources.mappingName;
    }
    json pdm = json::object();
    if (!env.empty()) {
        pdm["env"] = std::move(env);
    }
    for (const auto& [table, file] : sources.pdmTables) {
        pdm["tables"][table] = PdmRecords(TableOf(file, sources.separator));
    }
    return pdm;
}

// As "vexa-sim run" reads it: the rest while parsing, the drawing by loading it. The drawing
// is taken out for the parse, which would copy it, so that the check holds the document and
// the loaded drawing and no second copy.
void CheckRunnable(json& scenario) {
    json drawing = std::move(scenario["drawing"]);
    scenario.erase("drawing");
    ParseScenario(scenario);
    {
        const sim::FaultsSuspended own;
        sim::Database db;
        sim::DrawingHandles handles;
        sim::loadDrawing(drawing, "/drawing", db, handles);
    }
    scenario["drawing"] = std::move(drawing);
}

}  // namespace

json ImportScenarioDocument(const ImportSources& sources) {
    json scenario = {{"drawing", Drawing(sources)}};
    if (json pdm = Pdm(sources); !pdm.empty()) {
        scenario["pdm"] = std::move(pdm);
    }
    if (!sources.mappingName.empty()) {
        scenario["files"][sources.mappingName] = MappingFileEntry(sources.mappingBytes);
    }
    for (const std::string& line : sources.typed) {
        scenario["steps"].push_back({{"type", line + "\n"}});
    }
    CheckRunnable(scenario);
    return scenario;
}

void WriteScenarioText(const json& scenario, std::ostream& out) {
    // The stream's width is the indent: the same text as dump(2).
    out << std::setw(2) << scenario << "\n";
}

std::string ImportScenario(const ImportSources& sources) {
    std::ostringstream text;
    WriteScenarioText(ImportScenarioDocument(sources), text);
    return text.str();
}
