#include <set>

#include "host/vxm_partref.h"
#include "sim/host/host_internals.h"
#include "sim/mech/mech_control.h"
#include "sim/scenario/drawing_header_io.h"
#include "sim/scenario/drawing_io.h"

namespace sim {
namespace {

using Json = nlohmann::ordered_json;

std::string utf8(const std::u16string& text) {
    return VxString(text).toUtf8();
}

Json texts(const VxmStringMap& map) {
    Json object = Json::object();
    for (const auto& [name, value] : map) {
        object[utf8(name)] = utf8(value);
    }
    return object;
}

class DrawingWriter {
  public:
    DrawingWriter(const Database& db, DrawingHandles& handles) : db_(db), names_(handles) {}

    Json entities(VxDbObjectId block) {
        Json list = Json::array();
        for (const VxDbObject* member : db_.membersOf(block)) {
            if (!member->isErased()) {
                list.push_back(entity(*member));
            }
        }
        return list;
    }

    Json blocks() {
        Json list = Json::array();
        for (const VxDbObjectId id : db_.blockIds()) {
            const auto* record = db_.lookupAs<const VxDbBlockTableRecord>(id);
            if (record == nullptr || record->isErased()) {
                continue;
            }
            Json block = Json::object();
            block["name"] = record->name().toUtf8();
            const VxString& xrefPath = VxHostInternals::xrefPath(*record);
            if (!xrefPath.isEmpty()) {
                block["xrefPath"] = xrefPath.toUtf8();
            }
            if (const auto data = blockPartData(db_, id)) {
                block["partData"] = texts(*data);
            }
            block["entities"] = entities(id);
            list.push_back(std::move(block));
        }
        return list;
    }

    Json boms() {
        Json list = Json::array();
        for (const VxDbObjectId id : partsLists(db_)) {
            Json bom = Json::object();
            const VxDbObjectId owner = partsListOwner(db_, id);
            if (owner == db_.modelSpaceId()) {
                bom["owner"] = nullptr;
            } else {
                bom["owner"] = db_.lookupAs<const VxDbBlockTableRecord>(owner)->name().toUtf8();
            }
            if (currentPartsList(db_) == id) {
                bom["current"] = true;
            }
            Json rows = Json::array();
            for (const RowRecord& row : rowsOf(db_, id)) {
                rows.push_back(this->row(row));
            }
            bom["rows"] = std::move(rows);
            list.push_back(std::move(bom));
        }
        return list;
    }

    // Data entries that entities hold and no row does, with cells to keep.
    Json freeDataEntries() const {
        std::map<std::int64_t, Json> byNumber;
        for (const VxDbObjectId id : heldByEntities_) {
            const VxmStringMap data = dataEntryData(db_, id);
            if (heldByRows_.count(id) == 0 && !data.empty()) {
                byNumber[*names_.numberOf(id)] = texts(data);
            }
        }
        Json object = Json::object();
        for (auto& [number, cells] : byNumber) {
            object[std::to_string(number)] = std::move(cells);
        }
        return object;
    }

  private:
    Json entity(const VxDbObject& member) {
        const VxDbObjectId id = member.objectId();
        const VxDbObject* object = &member;
        Json json = Json::object();
        json["handle"] = names_.handleFor(id);
        if (const auto* partRef = asKind<VxmPartRef>(object)) {
            json["type"] = "partref";
            const VxDbObjectId entry = partRef->dataEntryId();
            if (!entry.isNull()) {
                json["dataEntry"] = names_.numberFor(entry);
                if (isDataEntry(db_, entry)) {
                    heldByEntities_.insert(entry);
                }
            }
        } else if (const auto* ref = asKind<VxDbBlockReference>(object)) {
            json["type"] = "blockref";
            const auto* record = db_.lookupAs<const VxDbBlockTableRecord>(ref->blockTableRecord());
            json["block"] = record != nullptr ? record->name().toUtf8() : std::string();
        } else {
            json["type"] = "line";
        }
        if (const auto* entity = asKind<VxDbEntity>(object)) {
            const VxGePoint3d p = entity->position();
            if (p.z != 0.0) {
                json["position"] = {p.x, p.y, p.z};
            } else if (p.x != 0.0 || p.y != 0.0) {
                json["position"] = {p.x, p.y};
            }
            saveEntityProperties(VxHostInternals::properties(*entity), json);
        }
        return json;
    }

    Json row(const RowRecord& row) {
        heldByRows_.insert(row.dataEntry);
        Json json = Json::object();
        json["item"] = utf8(row.item);
        json["qty"] = row.quantity;
        json["dataEntry"] = names_.numberFor(row.dataEntry);
        json["cells"] = texts(dataEntryData(db_, row.dataEntry));
        Json paths = Json::array();
        for (const auto& path : partRefPaths(db_, row.dataEntry)) {
            Json handles = Json::array();
            for (const VxDbObjectId id : path) {
                handles.push_back(names_.handleFor(id));
            }
            paths.push_back(std::move(handles));
        }
        json["partRefPaths"] = std::move(paths);
        if (row.state != 0) {
            json["state"] = row.state;
        }
        return json;
    }

    const Database& db_;
    DrawingHandles& names_;
    std::set<VxDbObjectId> heldByEntities_;
    std::set<VxDbObjectId> heldByRows_;
};

Json columns(const Database& db) {
    Json list = Json::array();
    for (const ColumnSpec& given : standardColumns(db)) {
        Json column = Json::object();
        column["name"] = utf8(given.name);
        column["visible"] = given.visible;
        if (given.type != 29) {
            column["type"] = given.type;
        }
        if (given.dataType != 0) {
            column["dataType"] = given.dataType;
        }
        if (given.displayText != given.name) {
            column["displayText"] = utf8(given.displayText);
        }
        list.push_back(std::move(column));
    }
    return list;
}

}  // namespace

nlohmann::ordered_json saveDrawing(const Database& db, const DrawingHandles& handles,
                                   const std::vector<std::string>& loadedModules) {
    DrawingHandles names = handles;
    return saveDrawingKeepingNames(db, names, loadedModules);
}

nlohmann::ordered_json saveDrawingKeepingNames(const Database& db, DrawingHandles& handles,
                                               const std::vector<std::string>& loadedModules) {
    DrawingWriter writer(db, handles);
    Json drawing = Json::object();
    // Model space first, so that fresh handles follow the drawing's order.
    drawing["entities"] = writer.entities(db.modelSpaceId());
    drawing["blocks"] = writer.blocks();
    drawing["partData"] = texts(blockPartData(db, db.modelSpaceId()).value_or(VxmStringMap()));
    Json boms = writer.boms();
    drawing["dataEntries"] = writer.freeDataEntries();
    drawing["boms"] = std::move(boms);
    drawing["standard"] = Json{{"columns", columns(db)}};
    drawing["structure2d"] = structure2d(db);
    drawing["loadedModules"] = loadedModules;
    saveDrawingHeader(db, drawing);
    return drawing;
}

}  // namespace sim
