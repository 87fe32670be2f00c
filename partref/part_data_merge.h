// Writing fetched PDM values onto an object's part data without losing what it already holds.
#pragma once

#include "host/vx_db_object_id.h"
#include "host/vx_status.h"
#include "host/vxm_bom.h"

// Reads the object's part data, lays fetched over them and writes the whole map back. A field
// whose PDM query failed is absent from fetched, so the object keeps its stored value instead
// of losing it. When the stored part data cannot be read nothing is written and that status
// is answered (a block record that never had part data starts empty).
Vx::ErrorStatus MergePartData(VxDbObjectId id, const VxmStringMap& fetched);
