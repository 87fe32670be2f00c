// Access to the top-level entities of the working database's model space.
//
// ModelSpace holds the block table and the "*Model_Space" record while an operation works
// on them; its holders close the record first and the table second when it is destroyed,
// on the normal path and while a HostStatusError unwinds alike.
#pragma once

#include <functional>

#include "base/smart_ptr.h"
#include "host/vx_db.h"

struct ModelSpace {
    SmartPtr<VxDbBlockTable> table;         // released last
    SmartPtr<VxDbBlockTableRecord> record;  // released first
};

// Runs for one entity id; answering false ends the walk.
using EntityStep = std::function<bool(VxDbObjectId)>;

// Opens the block table for read and model space in mode into space (both holders must be
// empty). Throws HostStatusError when either open fails.
void OpenModelSpace(VxDb::OpenMode mode, ModelSpace& space);

// Visits the non-erased entities of an open block record in order. The iterator is deleted
// before this returns, also when a step throws. No iterator: nothing is visited.
void WalkEntities(const VxDbBlockTableRecord& record, const EntityStep& step);

// OpenModelSpace, then WalkEntities over it. The record stays open in space for the caller
// until the caller drops space.
void WalkModelSpace(VxDb::OpenMode mode, ModelSpace& space, const EntityStep& step);
