// The stand-in VxmBOMManager. Every operation passes its fault checkpoint first, then works
// on the database objects of sim/mech directly: the layer is part of the host, so it does not
// go through the module-facing open/close rules (a caller may hold model space open for write
// while it asks for a row's part references).
#include <algorithm>
#include <optional>

#include "host/vxm_bom.h"
#include "sim/host/faults.h"
#include "sim/mech/mech_observer.h"
#include "sim/mech/mech_state.h"
#include "sim/mech/part_data.h"
#include "sim/mech/part_ref_paths.h"
#include "sim/mech/parts_list_rows.h"
#include "sim/mech/row_cursor.h"

VxmBOMRowCursor::~VxmBOMRowCursor() = default;
VxmBOMManager::~VxmBOMManager() = default;

namespace sim {
namespace {

Vx::ErrorStatus faultOf(const char* operation) {
    return static_cast<Vx::ErrorStatus>(checkpoint(operation));
}

// The block record that owns a parts list: model space for the null id.
Vx::ErrorStatus ownerBlock(VxDbObjectId requested, Database*& db, VxDbObjectId& block) {
    if (requested.isNull()) {
        db = workingSimDatabase();
        if (db == nullptr) {
            return Vx::eNoDatabase;
        }
        block = db->modelSpaceId();
        return Vx::eOk;
    }
    VxDbBlockTableRecord* record = nullptr;
    const Vx::ErrorStatus status = lookupAs(requested, record, &db);
    block = requested;
    return status;
}

VxDbObjectId partsListOwnedBy(const Database& db, VxDbObjectId block) {
    if (const MechDictionary* record = findMech(db)) {
        for (const VxDbObjectId id : record->partsLists) {
            const PartsList* list = findIn<PartsList>(db, id);
            if (list != nullptr && list->owner == block) {
                return id;
            }
        }
    }
    return {};
}

class BomManager final : public VxmBOMManager {
  public:
    Vx::ErrorStatus createBom(VxDbObjectId& bomId, VxDbObjectId ownerBlockId, int, bool makeCurrent,
                              int) override {
        if (const Vx::ErrorStatus fault = faultOf("createBom")) {
            return fault;
        }
        Database* db = nullptr;
        VxDbObjectId block;
        if (const Vx::ErrorStatus status = ownerBlock(ownerBlockId, db, block)) {
            return status;
        }
        // One parts list per block.
        if (!partsListOwnedBy(*db, block).isNull()) {
            return Vx::eDuplicateKey;
        }
        auto* list = new PartsList();
        list->owner = block;
        const VxDbObjectId id = db->adopt(list);
        MechDictionary& record = mechOf(*db);
        record.partsLists.push_back(id);
        if (makeCurrent) {
            record.currentPartsList = id;
        }
        bomId = id;
        return Vx::eOk;
    }

    Vx::ErrorStatus findBom(VxDbObjectId& bomId, VxString& name, VxDbObjectId ownerBlockId,
                            int) override {
        if (const Vx::ErrorStatus fault = faultOf("findBom")) {
            return fault;
        }
        Database* db = nullptr;
        VxDbObjectId block;
        if (const Vx::ErrorStatus status = ownerBlock(ownerBlockId, db, block)) {
            return status;
        }
        bomId = partsListOwnedBy(*db, block);
        if (!bomId.isNull()) {
            const auto* record = findIn<VxDbBlockTableRecord>(*db, block);
            name = record != nullptr ? record->name() : VxString();
        }
        return Vx::eOk;
    }

    Vx::ErrorStatus getBom(VxDbObjectId& bomId, int) override {
        if (const Vx::ErrorStatus fault = faultOf("getBom")) {
            return fault;
        }
        const Database* db = workingSimDatabase();
        if (db == nullptr) {
            return Vx::eNoDatabase;
        }
        const MechDictionary* record = findMech(*db);
        bomId = record != nullptr && findIn<PartsList>(*db, record->currentPartsList) != nullptr
                    ? record->currentPartsList
                    : VxDbObjectId();
        return Vx::eOk;
    }

    VxmBOMRowCursor* newRowCursor(VxDbObjectId bomId, int, int) override {
        if (faultOf("newRowCursor") != Vx::eOk) {
            return nullptr;
        }
        PartsList* list = nullptr;
        if (lookupAs(bomId, list) != Vx::eOk) {
            return nullptr;
        }
        return new RowCursor(list->rows);
    }

    Vx::ErrorStatus getPartData(VxDbObjectId objectId, VxmStringMap& data) override {
        if (const Vx::ErrorStatus fault = faultOf("getPartData")) {
            return fault;
        }
        return readPartData(objectId, data);
    }

    Vx::ErrorStatus setPartData(VxDbObjectId objectId, const VxmStringMap& data) override {
        if (const Vx::ErrorStatus fault = faultOf("setPartData")) {
            return fault;
        }
        const MechObserver& observer = mechObserver();
        VxmStringMap before;
        if (observer.partDataWritten && readPartData(objectId, before) != Vx::eOk) {
            before.clear();
        }
        const Vx::ErrorStatus status = writePartData(objectId, data);
        if (status == Vx::eOk && observer.partDataWritten) {
            VxmPartRef* partRef = nullptr;
            observer.partDataWritten(objectId, lookupAs(objectId, partRef) == Vx::eOk,
                                     changedFieldCount(before, data));
        }
        return status;
    }

    Vx::ErrorStatus addPartRefsToBom(VxDbObjectId bomId, const VxDbObjectIdArray& partRefs,
                                     VxDbObjectIdArray& rowIds, int) override {
        if (const Vx::ErrorStatus fault = faultOf("addPartRefsToBom")) {
            return fault;
        }
        Database* db = nullptr;
        PartsList* list = nullptr;
        if (const Vx::ErrorStatus status = lookupAs(bomId, list, &db)) {
            return status;
        }
        // All or nothing: every id must be a part reference of the list's drawing.
        std::vector<VxmPartRef*> refs;
        for (const VxDbObjectId id : partRefs) {
            VxmPartRef* partRef = nullptr;
            Database* refDb = nullptr;
            if (const Vx::ErrorStatus status = lookupAs(id, partRef, &refDb)) {
                return status;
            }
            if (refDb != db) {
                return Vx::eInvalidInput;
            }
            refs.push_back(partRef);
        }
        // The highest item only grows by the rows appended here, so it is found once.
        std::optional<std::u16string> item;
        for (VxmPartRef* partRef : refs) {
            const VxDbObjectId entry = ensureDataEntry(*db, *partRef);
            if (PartsListRow* row = rowOfDataEntry(*db, *list, entry)) {
                rowIds.append(row->objectId());
                continue;
            }
            item = item ? followingItem(*item) : nextFreeItem(*db, *list);
            rowIds.append(appendRow(*db, *list, *item, 1, entry, 1));
        }
        return Vx::eOk;
    }

    Vx::ErrorStatus writeRow(VxDbObjectId rowId, const char16_t* item, std::int32_t quantity,
                             const VxmStringMap& cells) override {
        if (const Vx::ErrorStatus fault = faultOf("writeRow")) {
            return fault;
        }
        PartsListRow* row = nullptr;
        DataEntry* entry = nullptr;
        if (const Vx::ErrorStatus status = rowAndEntry(rowId, row, entry)) {
            return status;
        }
        if (item != nullptr) {
            row->item = VxString(item);
        }
        row->quantity = quantity;
        VxmStringMap merged = entry->data.map();
        const MechObserver& observer = mechObserver();
        const VxmStringMap before = observer.rowWritten ? merged : VxmStringMap();
        for (const auto& [name, value] : cells) {
            merged[name] = value;
        }
        entry->data = PackedTexts(merged);
        if (observer.rowWritten) {
            observer.rowWritten(rowId, cells, changedFieldCount(before, merged));
        }
        return Vx::eOk;
    }

    Vx::ErrorStatus readRow(VxDbObjectId rowId, VxString& item, std::int32_t& quantity,
                            VxmStringMap& cells, VxDbObjectId) override {
        if (const Vx::ErrorStatus fault = faultOf("readRow")) {
            return fault;
        }
        PartsListRow* row = nullptr;
        DataEntry* entry = nullptr;
        if (const Vx::ErrorStatus status = rowAndEntry(rowId, row, entry)) {
            return status;
        }
        item = row->item;
        quantity = row->quantity;
        cells = entry->data.map();
        if (const MechObserver& observer = mechObserver(); observer.rowRead) {
            observer.rowRead(rowId, item.str(), cells);
        }
        return Vx::eOk;
    }

    Vx::ErrorStatus getRowState(VxDbObjectId rowId, VxDbObjectId& first, VxDbObjectId& second,
                                int& flag) override {
        if (const Vx::ErrorStatus fault = faultOf("getRowState")) {
            return fault;
        }
        PartsListRow* row = nullptr;
        if (const Vx::ErrorStatus status = lookupAs(rowId, row)) {
            return status;
        }
        first = row->dataEntry;
        second = row->partsList;
        flag = row->state;
        return Vx::eOk;
    }

    Vx::ErrorStatus setRowState(VxDbObjectId rowId, int value) override {
        if (const Vx::ErrorStatus fault = faultOf("setRowState")) {
            return fault;
        }
        PartsListRow* row = nullptr;
        if (const Vx::ErrorStatus status = lookupAs(rowId, row)) {
            return status;
        }
        row->state = value;
        return Vx::eOk;
    }

    Vx::ErrorStatus getPartRefPaths(VxDbObjectId rowId, VxmCObjArray<VxArray<VxDbObjectId>>& paths,
                                    VxDbObjectIdArray& second) override {
        if (const Vx::ErrorStatus fault = faultOf("getPartRefPaths")) {
            return fault;
        }
        PartsListRow* row = nullptr;
        Database* db = nullptr;
        if (const Vx::ErrorStatus status = lookupAs(rowId, row, &db)) {
            return status;
        }
        std::vector<IdPath> all;
        try {
            all = partRefPathsOf(*db, row->dataEntry);
        } catch (const TooManyPartRefPaths&) {
            // As the host answers when it cannot hold what it was asked for.
            return Vx::eOutOfMemory;
        }
        for (const IdPath& found : all) {
            auto* path = new VxArray<VxDbObjectId>();
            paths.append(path);
            for (const VxDbObjectId id : found) {
                path->append(id);
            }
            second.append(found.back());
        }
        return Vx::eOk;
    }

  private:
    static Vx::ErrorStatus rowAndEntry(VxDbObjectId rowId, PartsListRow*& row, DataEntry*& entry) {
        if (const Vx::ErrorStatus status = lookupAs(rowId, row)) {
            return status;
        }
        return lookupAs(row->dataEntry, entry);
    }
};

}  // namespace
}  // namespace sim

VxmBOMManager* getVxmBomMgr() {
    static sim::BomManager manager;
    return &manager;
}
