// Writing fetched PDM values onto an object's part data without losing what it already holds.
#pragma once

#include <string>
#include <vector>

#include "host/vx_db_object_id.h"
#include "host/vx_status.h"
#include "host/vxm_bom.h"

// Reads the object's part data, lays fetched and "ORBKEY" = key over them and writes the whole
// map back. A field whose PDM query failed (named in unanswered) keeps its stored value only
// while the object stays the same item, its stored "ORBKEY" equal to key; for another item it
// is removed, since the stored value describes the old one. Fields the section does not map
// are kept. When the stored part data cannot be read nothing is written and that status is
// answered (a block record that never had part data starts empty).
Vx::ErrorStatus MergePartData(VxDbObjectId id, const std::u16string& key,
                              const VxmStringMap& fetched,
                              const std::vector<std::u16string>& unanswered);
