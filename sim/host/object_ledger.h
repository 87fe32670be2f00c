// The run-wide bookkeeping of database objects: the id counter, which database holds which
// id, and the ledger of objects that are open now. Open and close rules live here, so that
// the host functions and the control API apply the same ones.
#pragma once

#include <vector>

#include "host/vx_db.h"

namespace sim {

class Database;

// The next id of the run; ids are never reused.
VxDbObjectId nextObjectId();
// The live databases, which databaseOf asks in turn.
void registerDatabase(Database* database);
void unregisterDatabase(Database* database);

// Opens an object by id with the host's rules, without passing a fault checkpoint (callers
// that are host operations pass their own first).
Vx::ErrorStatus openObjectById(VxDbObject*& object, VxDbObjectId id, VxDb::OpenMode mode,
                               const VxRxClass* required, bool openErased);
// Opens a known database-resident object (the erase and class checks are the caller's).
Vx::ErrorStatus openResident(VxDbObject& object, VxDb::OpenMode mode);
// Marks a freshly appended object open for write, as the host leaves it.
void openForWriteAfterAppend(VxDbObject& object);
// Ends one open; eWasNotOpen when the object is not open.
Vx::ErrorStatus closeResident(VxDbObject& object);
// Forgets an object that is being destroyed, open or not.
void forgetObject(const VxDbObject* object);
// The open objects, in the order they were first opened.
const std::vector<VxDbObject*>& openLedger();

}  // namespace sim
