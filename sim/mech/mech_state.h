// Finding the mechanical layer's objects: the per-database record (created on first use, with
// an empty parts-list standard), typed lookups that answer host statuses, and data entries.
#pragma once

#include "host/vxm_bom.h"
#include "host/vxm_partref.h"
#include "sim/host/database.h"
#include "sim/mech/mech_objects.h"

namespace sim {

// The working database of the host, or null when there is none.
Database* workingSimDatabase();

// The database's record; created (with its standard) when the database has none yet.
MechDictionary& mechOf(Database& db);
// The database's record, or null when nothing has created it yet.
const MechDictionary* findMech(const Database& db);

// The object with that id as a T, with the status a host open would answer: the null id
// eNullObjectId, an unknown id eUnknownHandle, another class eNotThatKindOfClass, an erased
// object eWasErased.
template <class T>
Vx::ErrorStatus lookupAs(VxDbObjectId id, T*& object, Database** owner = nullptr) {
    object = nullptr;
    if (id.isNull()) {
        return Vx::eNullObjectId;
    }
    Database* db = databaseOf(id);
    VxDbObject* found = db != nullptr ? db->lookup(id) : nullptr;
    if (found == nullptr) {
        return Vx::eUnknownHandle;
    }
    T* typed = asKind<T>(found);
    if (typed == nullptr) {
        return Vx::eNotThatKindOfClass;
    }
    if (found->isErased()) {
        return Vx::eWasErased;
    }
    object = typed;
    if (owner != nullptr) {
        *owner = db;
    }
    return Vx::eOk;
}

// The same within one database, for readers that hold a const database.
template <class T>
const T* findIn(const Database& db, VxDbObjectId id) {
    return id.isNull() ? nullptr : db.lookupAs<const T>(id);
}

VxDbObjectId newDataEntry(Database& db, const VxmStringMap& data);
// The part reference's data entry, created when it has none yet.
VxDbObjectId ensureDataEntry(Database& db, VxmPartRef& partRef);

}  // namespace sim
