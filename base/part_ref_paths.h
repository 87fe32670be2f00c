// The part references of a parts-list row as id paths.
//
// A path runs from the outermost model-space entity down to the part reference: its first
// id is the part reference itself when that lies directly in model space, otherwise the
// block reference that contains it. PartRefPaths owns its paths and deletes them when it
// is destroyed.
#pragma once

#include "host/vx_array.h"
#include "host/vx_db.h"
#include "host/vx_db_object_id.h"
#include "host/vx_status.h"

using PartRefPath = VxArray<VxDbObjectId>;
using PartRefPaths = VxmCObjArray<PartRefPath>;

// Fills paths (expected empty) from the parts-list layer; the second array the layer also
// fills is not used and is freed before this returns. Answers the layer's status.
Vx::ErrorStatus GetPartRefPaths(VxDbObjectId rowId, PartRefPaths& paths);

// The first id of the first path, or the null id when there is no path or it is absent or
// empty.
VxDbObjectId FirstPathHead(const PartRefPaths& paths);

// The data entry a further part reference of an existing row must share: that of the row's
// first part reference when it lies directly in model space (found by walking the open
// model-space record), else the null id. Throws HostStatusError when the paths cannot be
// read.
VxDbObjectId FirstPartRefDataEntry(VxDbObjectId rowId, const VxDbBlockTableRecord& modelSpace);
