// PlacePartRef and its steps: a new part reference at a point the user picks, appended to
// model space.
//
// Until it is appended the new entity is owned by its SmartPtr holder, which deletes it when
// a failure unwinds; AppendPartRef hands it to the database and closes it. Every step throws
// HostStatusError on a refused host call.
#pragma once

#include <functional>
#include <optional>

#include "base/smart_ptr.h"
#include "host/vx_db.h"
#include "host/vx_ge.h"
#include "host/vxm_partref.h"

// Prints a line break and asks for the position (catalogue text kTextPickPoint), converted
// from the current user coordinate system to world coordinates. std::nullopt when the user
// gives no point (cancelled: nothing more is printed).
std::optional<VxGePoint3d> AskPartRefPoint();

// Constructs the part reference into entity (which must be empty): sharing dataEntry, or with
// no data entry of its own yet when that is null; then the database defaults, then moved to
// the point. "Can't create VxmPartRefEntity" when no object results.
void BuildPartRef(SmartPtr<VxmPartRef>& entity, VxDbObjectId dataEntry, const VxGePoint3d& point);

// Appends the built part reference to the model-space record (open for write) and closes it;
// entity is empty afterwards. Answers its id.
VxDbObjectId AppendPartRef(VxDbBlockTableRecord& modelSpace, SmartPtr<VxmPartRef>& entity);

// Chooses the data entry of the new part reference once model space is open.
using DataEntryChoice = std::function<VxDbObjectId(const VxDbBlockTableRecord& modelSpace)>;

// The whole placement in its plain order: the point, model space opened for write, the data
// entry chosen there, the part reference built, appended and closed, model space released.
// The new id, or std::nullopt when the user gave no point.
std::optional<VxDbObjectId> PlacePartRef(const DataEntryChoice& dataEntryFor);
