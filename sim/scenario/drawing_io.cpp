#include "sim/scenario/drawing_io.h"

#include "sim/mech/mech_control.h"
#include "sim/scenario/drawing_header_io.h"
#include "sim/scenario/drawing_reader.h"
#include "sim/scenario/json_at.h"

namespace sim {

void loadDrawing(const nlohmann::json& drawing, const std::string& path, Database& db,
                 DrawingHandles& handles) {
    const JsonAt at(drawing, path);
    at.requireObject({"entities", "blocks", "partData", "dataEntries", "boms", "standard",
                      "structure2d", "loadedModules", "defaults", "ucs"});
    loadDrawingHeader(at, db);
    DrawingReader reader(db, handles);
    if (at.has("blocks")) {
        reader.readBlocks(at["blocks"]);
    }
    if (at.has("entities")) {
        reader.readEntities(at["entities"], db.modelSpaceId());
    }
    if (at.has("partData")) {
        setBlockPartData(db, db.modelSpaceId(), at["partData"].textMap());
    }
    if (at.has("dataEntries")) {
        reader.readDataEntries(at["dataEntries"]);
    }
    if (at.has("boms")) {
        reader.readBoms(at["boms"]);
    }
    if (at.has("standard")) {
        reader.readStandard(at["standard"]);
    }
    if (at.has("structure2d")) {
        setStructure2d(db, at["structure2d"].boolean());
    }
    if (at.has("loadedModules")) {
        reader.readLoadedModules(at["loadedModules"]);
    }
    reader.checkPathCounts();
    reader.checkPaths();
}

void addEntities(const nlohmann::json& entities, const std::string& path, Database& db,
                 DrawingHandles& handles) {
    DrawingReader(db, handles).readEntities(JsonAt(entities, path), db.modelSpaceId());
}

void checkEntities(const nlohmann::json& entities, const std::string& path, Database& db,
                   DrawingHandles& handles, std::unordered_set<std::int64_t>& planned) {
    DrawingReader(db, handles).checkEntities(JsonAt(entities, path), planned);
}

}  // namespace sim
