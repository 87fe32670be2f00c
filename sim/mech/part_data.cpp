#include "sim/mech/part_data.h"

#include "sim/mech/mech_state.h"
#include "sim/mech/vxm_internals.h"

namespace sim {
namespace {

// Where an object's part data live: a data entry or a block record's slot.
struct PartDataPlace {
    Database* db = nullptr;
    VxmPartRef* partRef = nullptr;
    VxDbObjectId block;
};

Vx::ErrorStatus locate(VxDbObjectId objectId, PartDataPlace& place) {
    VxDbObject* object = nullptr;
    const Vx::ErrorStatus status = lookupAs(objectId, object, &place.db);
    if (status != Vx::eOk) {
        return status;
    }
    if (auto* partRef = asKind<VxmPartRef>(object)) {
        place.partRef = partRef;
        return Vx::eOk;
    }
    if (auto* reference = asKind<VxDbBlockReference>(object)) {
        VxDbBlockTableRecord* record = nullptr;
        if (lookupAs(reference->blockTableRecord(), record) != Vx::eOk ||
            !record->isFromExternalReference()) {
            return Vx::eNotApplicable;
        }
        place.block = record->objectId();
        return Vx::eOk;
    }
    if (asKind<VxDbBlockTableRecord>(object) != nullptr) {
        place.block = objectId;
        return Vx::eOk;
    }
    return Vx::eNotApplicable;
}

}  // namespace

Vx::ErrorStatus readPartData(VxDbObjectId objectId, VxmStringMap& data) {
    PartDataPlace place;
    Vx::ErrorStatus status = locate(objectId, place);
    if (status != Vx::eOk) {
        return status;
    }
    if (place.partRef != nullptr) {
        const VxDbObjectId entryId = place.partRef->dataEntryId();
        if (entryId.isNull()) {
            data.clear();
            return Vx::eOk;
        }
        DataEntry* entry = nullptr;
        status = lookupAs(entryId, entry);
        if (status == Vx::eOk) {
            data = entry->data.map();
        }
        return status;
    }
    const MechDictionary* record = findMech(*place.db);
    const auto it = record != nullptr ? record->blockPartData.find(place.block)
                                      : std::map<VxDbObjectId, VxmStringMap>::const_iterator();
    if (record == nullptr || it == record->blockPartData.end()) {
        if (place.block != place.db->modelSpaceId()) {
            return Vx::eKeyNotFound;
        }
        data.clear();
        return Vx::eOk;
    }
    data = it->second;
    return Vx::eOk;
}

Vx::ErrorStatus writePartData(VxDbObjectId objectId, const VxmStringMap& data) {
    PartDataPlace place;
    Vx::ErrorStatus status = locate(objectId, place);
    if (status != Vx::eOk) {
        return status;
    }
    if (place.partRef != nullptr) {
        DataEntry* entry = nullptr;
        status = lookupAs(ensureDataEntry(*place.db, *place.partRef), entry);
        if (status == Vx::eOk) {
            entry->data = PackedTexts(data);
        }
        return status;
    }
    mechOf(*place.db).blockPartData[place.block] = data;
    return Vx::eOk;
}

}  // namespace sim
