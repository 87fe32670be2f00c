#include "sim/scenario/drawing_reader.h"

#include <set>

#include "host/vxm_partref.h"
#include "sim/host/host_internals.h"
#include "sim/host/names.h"
#include "sim/mech/mech_control.h"
#include "sim/mech/part_ref_paths.h"
#include "sim/scenario/drawing_header_io.h"

namespace sim {

VxDbObjectId blockNamed(const Database& db, const std::u16string& name) {
    const VxDbObjectId id = db.blockNamed(name);
    const VxDbObject* record = db.lookup(id);
    if (record == nullptr || record->isErased() || sameName(name, u"*Model_Space") ||
        sameName(name, u"*Paper_Space")) {
        return {};
    }
    return id;
}

EntitySpec DrawingReader::readEntity(const JsonAt& at,
                                     std::unordered_set<std::int64_t>& batch) const {
    at.requireObject(
        {"handle", "type", "dataEntry", "block", "position", "layer", "color", "linetype"});
    EntitySpec node;
    const JsonAt handle = at["handle"];
    node.handle = handle.integer(1, kMaxName);
    if (!handles_.entity(node.handle).isNull() || !batch.insert(node.handle).second) {
        handle.fail("duplicate handle " + std::to_string(node.handle));
    }
    const JsonAt type = at["type"];
    const std::string kind = type.utf8();
    if (kind == "partref") {
        node.kind = EntityKind::kPartRef;
        if (at.has("dataEntry")) {
            node.dataEntry = at["dataEntry"].integer(1, kMaxName);
        }
    } else if (kind == "blockref") {
        node.kind = EntityKind::kBlockRef;
        const JsonAt block = at["block"];
        node.block = blockNamed(db_, block.text().str());
        if (node.block.isNull()) {
            block.fail("unknown block \"" + block.utf8() + "\"");
        }
    } else if (kind == "line") {
        node.kind = EntityKind::kLine;
    } else {
        type.fail("unknown entity type \"" + kind + "\" (partref, blockref or line)");
    }
    if (node.kind != EntityKind::kPartRef && at.has("dataEntry")) {
        at["dataEntry"].fail("only a partref has a data entry");
    }
    if (node.kind != EntityKind::kBlockRef && at.has("block")) {
        at["block"].fail("only a blockref names a block");
    }
    if (at.has("position")) {
        node.position = readPoint(at["position"]);
    }
    node.properties = readEntityProperties(at);
    return node;
}

void DrawingReader::createEntity(const EntitySpec& node, VxDbObjectId block) {
    VxDbEntity* entity = nullptr;
    switch (node.kind) {
        case EntityKind::kPartRef:
            entity = new VxmPartRef(node.dataEntry ? dataEntry(*node.dataEntry) : VxDbObjectId());
            break;
        case EntityKind::kBlockRef:
            entity = new VxDbBlockReference(node.position, node.block);
            break;
        case EntityKind::kLine:
            entity = new VxDbLine();
            break;
    }
    VxHostInternals::setPosition(*entity, node.position);
    VxHostInternals::setProperties(*entity, node.properties);
    handles_.bindEntity(node.handle, db_.appendEntity(block, entity));
}

void DrawingReader::checkEntities(const JsonAt& list,
                                  std::unordered_set<std::int64_t>& planned) const {
    list.requireArray();
    for (std::size_t i = 0; i < list.size(); ++i) {
        readEntity(list.at(i), planned);
    }
}

void DrawingReader::readEntities(const JsonAt& list, VxDbObjectId block) {
    list.requireArray();
    std::unordered_set<std::int64_t> batch;
    std::vector<EntitySpec> specs;
    for (std::size_t i = 0; i < list.size(); ++i) {
        specs.push_back(readEntity(list.at(i), batch));
    }
    for (const EntitySpec& node : specs) {
        createEntity(node, block);
    }
}

VxDbObjectId DrawingReader::dataEntry(std::int64_t number) {
    VxDbObjectId id = handles_.dataEntry(number);
    if (id.isNull()) {
        id = createDataEntry(db_);
        handles_.bindDataEntry(number, id);
    }
    return id;
}

void DrawingReader::setCells(std::int64_t number, const JsonAt& at) {
    const VxmStringMap cells = at.textMap();
    const VxDbObjectId id = dataEntry(number);
    const auto [given, fresh] = cellsGivenAt_.emplace(number, at.path());
    if (!fresh && dataEntryData(db_, id) != cells) {
        at.fail("cells of data entry " + std::to_string(number) + " differ from " + given->second);
    }
    setDataEntryData(db_, id, cells);
}

void DrawingReader::readBlocks(const JsonAt& list) {
    list.requireArray();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const JsonAt at = list.at(i);
        at.requireObject({"name", "xrefPath", "partData", "entities"});
        const JsonAt name = at["name"];
        if (name.utf8().empty()) {
            name.fail("a block needs a name");
        }
        const VxString xrefPath = at.has("xrefPath") ? at["xrefPath"].text() : VxString();
        const VxDbObjectId id = db_.addBlock(name.text(), xrefPath);
        if (id.isNull()) {
            name.fail("duplicate block name \"" + name.utf8() + "\"");
        }
        if (at.has("partData")) {
            setBlockPartData(db_, id, at["partData"].textMap());
        }
    }
    // Entities second, so that blocks may reference blocks listed after them.
    for (std::size_t i = 0; i < list.size(); ++i) {
        const JsonAt at = list.at(i);
        if (at.has("entities")) {
            readEntities(at["entities"], blockNamed(db_, at["name"].text().str()));
        }
    }
}

void DrawingReader::readBoms(const JsonAt& list) {
    list.requireArray();
    std::set<VxDbObjectId> owners;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const JsonAt at = list.at(i);
        at.requireObject({"owner", "current", "rows"});
        VxDbObjectId owner = db_.modelSpaceId();
        const JsonAt ownerAt = at["owner"];
        if (!ownerAt.value().is_null()) {
            owner = blockNamed(db_, ownerAt.text().str());
            if (owner.isNull()) {
                ownerAt.fail("unknown block \"" + ownerAt.utf8() + "\"");
            }
        }
        if (!owners.insert(owner).second) {
            ownerAt.fail("that block already owns a parts list");
        }
        const VxDbObjectId list = createPartsList(db_, owner);
        if (at.has("current") && at["current"].boolean()) {
            if (!currentPartsList(db_).isNull()) {
                at["current"].fail("only one parts list can be current");
            }
            setCurrentPartsList(db_, list);
        }
        if (at.has("rows")) {
            readRows(at["rows"], list);
        }
    }
}

void DrawingReader::readRows(const JsonAt& rows, VxDbObjectId list) {
    rows.requireArray();
    std::unordered_set<std::int64_t> entries;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const JsonAt row = rows.at(j);
        row.requireObject({"item", "qty", "dataEntry", "cells", "partRefPaths", "state"});
        const VxString item = row["item"].text();
        const auto quantity = static_cast<std::int32_t>(row["qty"].integer(kInt32Min, kInt32Max));
        std::optional<std::int64_t> number;
        if (row.has("dataEntry")) {
            const JsonAt entryAt = row["dataEntry"];
            number = entryAt.integer(1, kMaxName);
            if (!entries.insert(*number).second) {
                entryAt.fail("data entry " + std::to_string(*number) +
                             " already has a row in this parts list");
            }
            if (row.has("cells")) {
                setCells(*number, row["cells"]);
            }
        }
        const int state =
            row.has("state") ? static_cast<int>(row["state"].integer(kInt32Min, kInt32Max)) : 0;
        VxDbObjectId entryId = number ? dataEntry(*number) : createDataEntry(db_);
        if (!number && row.has("cells")) {
            setDataEntryData(db_, entryId, row["cells"].textMap());
        }
        addRow(db_, list, item.str(), quantity, entryId, state);
        rowEntries_.push_back({row, entryId});
        if (row.has("partRefPaths")) {
            pathChecks_.push_back({row["partRefPaths"], entryId});
        }
    }
}

void DrawingReader::readStandard(const JsonAt& at) {
    at.requireObject({"columns"});
    const JsonAt list = at["columns"];
    list.requireArray();
    std::vector<ColumnSpec> columns;
    std::set<std::u16string> names;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const JsonAt column = list.at(i);
        column.requireObject({"name", "visible", "type", "dataType", "displayText"});
        ColumnSpec node;
        const JsonAt name = column["name"];
        node.name = name.text().str();
        if (node.name.empty() || !names.insert(node.name).second) {
            name.fail("column names must be unique and not empty");
        }
        node.visible = column.has("visible") ? column["visible"].boolean() : true;
        if (column.has("type")) {
            node.type = static_cast<int>(column["type"].integer(kInt32Min, kInt32Max));
        }
        if (column.has("dataType")) {
            node.dataType = static_cast<int>(column["dataType"].integer(kInt32Min, kInt32Max));
        }
        node.displayText =
            column.has("displayText") ? column["displayText"].text().str() : node.name;
        columns.push_back(node);
    }
    setStandardColumns(db_, columns);
}

void DrawingReader::checkPathCounts() const {
    PartRefPathCounter counter(db_);
    for (const auto& [at, entry] : rowEntries_) {
        const std::optional<std::uint64_t> count = counter.count(entry);
        if (!count || *count > kMaxPartRefPaths) {
            at.fail(std::string("the row has ") + TooManyPartRefPaths(count).what());
        }
    }
}

void DrawingReader::checkPaths() const {
    for (const auto& [at, entry] : pathChecks_) {
        at.requireArray();
        nlohmann::json actual = nlohmann::json::array();
        for (const auto& path : partRefPaths(db_, entry)) {
            nlohmann::json handles = nlohmann::json::array();
            for (const VxDbObjectId id : path) {
                handles.push_back(handles_.handleOf(id).value_or(0));
            }
            actual.push_back(handles);
        }
        for (std::size_t i = 0; i < at.size(); ++i) {
            const JsonAt path = at.at(i);
            path.requireArray();
            for (std::size_t k = 0; k < path.size(); ++k) {
                const JsonAt handle = path.at(k);
                if (handles_.entity(handle.integer(1, kMaxName)).isNull()) {
                    handle.fail("unknown handle " + handle.value().dump());
                }
            }
        }
        if (at.value() != actual) {
            at.fail("the drawing gives the part-reference paths " + actual.dump());
        }
    }
}

void DrawingReader::readDataEntries(const JsonAt& entries) {
    if (!entries.value().is_object()) {
        entries.fail("expected an object from data-entry number to cells");
    }
    for (const auto& item : entries.value().items()) {
        const JsonAt cells = entries[item.key()];
        const std::string& key = item.key();
        if (key.empty() || key.size() > 18 || key[0] == '0' ||
            key.find_first_not_of("0123456789") != std::string::npos) {
            cells.fail("a data-entry number is a positive decimal integer");
        }
        setCells(std::stoll(key), cells);
    }
}

void DrawingReader::readLoadedModules(const JsonAt& modules) {
    modules.requireArray();
    for (std::size_t i = 0; i < modules.size(); ++i) {
        handles_.loadedModules.push_back(modules.at(i).utf8());
    }
}

}  // namespace sim
