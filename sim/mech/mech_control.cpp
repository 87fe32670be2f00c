#include "sim/mech/mech_control.h"

#include <stdexcept>

#include "host/vxm_partref.h"
#include "host/vxm_standard.h"
#include "sim/mech/mech_state.h"
#include "sim/mech/part_ref_paths.h"
#include "sim/mech/parts_list_rows.h"
#include "sim/mech/vxm_internals.h"

namespace sim {
namespace {

template <class T>
const T& expect(const Database& db, VxDbObjectId id, const char* what) {
    const T* object = findIn<T>(db, id);
    if (object == nullptr) {
        throw std::invalid_argument(std::string("not a ") + what + ": " +
                                    std::to_string(id.asInt64()));
    }
    return *object;
}

template <class T>
T& expect(Database& db, VxDbObjectId id, const char* what) {
    return const_cast<T&>(expect<T>(static_cast<const Database&>(db), id, what));
}

VxDbObjectId blockOrModelSpace(const Database& db, VxDbObjectId block) {
    if (block.isNull()) {
        return db.modelSpaceId();
    }
    expect<VxDbBlockTableRecord>(db, block, "block record");
    return block;
}

const VxmBOMStd* bomStdOf(const Database& db) {
    const MechDictionary* record = findMech(db);
    const VxmStandard* standard =
        record != nullptr ? findIn<VxmStandard>(db, record->standard) : nullptr;
    if (standard == nullptr) {
        return nullptr;
    }
    VxDbObjectId bomStd;
    standard->getCurrentSymbolStd(bomStd, u"VxmBOMStd");
    return findIn<VxmBOMStd>(db, bomStd);
}

}  // namespace

VxDbObjectId createPartsList(Database& db, VxDbObjectId ownerBlock) {
    const VxDbObjectId block = blockOrModelSpace(db, ownerBlock);
    for (const VxDbObjectId id : partsLists(db)) {
        if (partsListOwner(db, id) == block) {
            throw std::invalid_argument("the block already owns a parts list");
        }
    }
    auto* list = new PartsList();
    list->owner = block;
    const VxDbObjectId id = db.adopt(list);
    mechOf(db).partsLists.push_back(id);
    return id;
}

std::vector<VxDbObjectId> partsLists(const Database& db) {
    const MechDictionary* record = findMech(db);
    return record != nullptr ? record->partsLists : std::vector<VxDbObjectId>();
}

VxDbObjectId partsListOwner(const Database& db, VxDbObjectId partsList) {
    return expect<PartsList>(db, partsList, "parts list").owner;
}

void setCurrentPartsList(Database& db, VxDbObjectId partsList) {
    if (!partsList.isNull()) {
        expect<PartsList>(db, partsList, "parts list");
    }
    mechOf(db).currentPartsList = partsList;
}

VxDbObjectId currentPartsList(const Database& db) {
    const MechDictionary* record = findMech(db);
    return record != nullptr ? record->currentPartsList : VxDbObjectId();
}

VxDbObjectId addRow(Database& db, VxDbObjectId partsList, const std::u16string& item,
                    std::int32_t quantity, VxDbObjectId dataEntry, int state) {
    auto& list = expect<PartsList>(db, partsList, "parts list");
    if (dataEntry.isNull()) {
        dataEntry = createDataEntry(db);
    } else {
        expect<DataEntry>(db, dataEntry, "data entry");
        if (rowOfDataEntry(db, list, dataEntry) != nullptr) {
            throw std::invalid_argument("the data entry already has a row in that parts list");
        }
    }
    return appendRow(db, list, VxString(item), quantity, dataEntry, state);
}

std::vector<RowRecord> rowsOf(const Database& db, VxDbObjectId partsList) {
    std::vector<RowRecord> rows;
    for (const VxDbObjectId id : expect<PartsList>(db, partsList, "parts list").rows) {
        const auto& row = expect<PartsListRow>(db, id, "row");
        rows.push_back(RowRecord{id, row.item.str(), row.quantity, row.dataEntry, row.state});
    }
    return rows;
}

VxDbObjectId createDataEntry(Database& db, const VxmStringMap& data) {
    return newDataEntry(db, data);
}

VxmStringMap dataEntryData(const Database& db, VxDbObjectId dataEntry) {
    return expect<DataEntry>(db, dataEntry, "data entry").data.map();
}

void visitDataEntryData(
    const Database& db, VxDbObjectId dataEntry,
    const std::function<void(const std::u16string& name, const std::u16string& value)>& visit) {
    expect<DataEntry>(db, dataEntry, "data entry").data.forEach(visit);
}

void setDataEntryData(Database& db, VxDbObjectId dataEntry, const VxmStringMap& data) {
    expect<DataEntry>(db, dataEntry, "data entry").data = PackedTexts(data);
}

void setDataEntryTexts(Database& db, VxDbObjectId dataEntry,
                       std::span<const PackedTexts::Pair* const> byName) {
    expect<DataEntry>(db, dataEntry, "data entry").data = PackedTexts(byName);
}

bool isDataEntry(const Database& db, VxDbObjectId id) {
    return findIn<DataEntry>(db, id) != nullptr;
}

VxDbObjectId partRefDataEntry(const Database& db, VxDbObjectId partRef) {
    return expect<VxmPartRef>(db, partRef, "part reference").dataEntryId();
}

std::vector<std::vector<VxDbObjectId>> partRefPaths(const Database& db, VxDbObjectId dataEntry) {
    return partRefPathsOf(db, dataEntry);
}

void setBlockPartData(Database& db, VxDbObjectId block, const VxmStringMap& data) {
    mechOf(db).blockPartData[blockOrModelSpace(db, block)] = data;
}

std::optional<VxmStringMap> blockPartData(const Database& db, VxDbObjectId block) {
    const VxDbObjectId record = blockOrModelSpace(db, block);
    const MechDictionary* mech = findMech(db);
    if (mech != nullptr) {
        const auto it = mech->blockPartData.find(record);
        if (it != mech->blockPartData.end()) {
            return it->second;
        }
    }
    return std::nullopt;
}

void setStandardColumns(Database& db, const std::vector<ColumnSpec>& columns) {
    mechOf(db);
    auto& bomStd = *const_cast<VxmBOMStd*>(bomStdOf(db));
    VxmInternals::columns(bomStd).clear();
    for (const ColumnSpec& given : columns) {
        if (given.name.empty() || bomStd.column(given.name.c_str()) != nullptr) {
            throw std::invalid_argument("column names must be unique and not empty");
        }
        VxmInternals::addColumn(bomStd, given.type, given.dataType, given.name.c_str(),
                                given.displayText.c_str(), given.visible);
    }
}

std::vector<ColumnSpec> standardColumns(const Database& db) {
    std::vector<ColumnSpec> specs;
    if (const VxmBOMStd* bomStd = bomStdOf(db)) {
        for (const auto& column : VxmInternals::columns(*bomStd)) {
            specs.push_back(ColumnSpec{column->columnName(), column->isVisible(),
                                       column->columnType(), column->dataType(),
                                       column->displayText().str()});
        }
    }
    return specs;
}

void setStructure2d(Database& db, bool enabled) {
    mechOf(db).structure2d = enabled;
}

bool structure2d(const Database& db) {
    const MechDictionary* record = findMech(db);
    return record != nullptr && record->structure2d;
}

}  // namespace sim
