// PlaceFurtherPartRef: one more part reference of an existing parts-list row.
#pragma once

#include <cstdint>

#include "host/vx_db_object_id.h"

// Places, at a point the user picks, a part reference sharing the data entry of the row's
// first part reference (when that lies directly in model space; otherwise with no data entry
// of its own yet). Fetches and writes no part data. Answers -1 for the null row id, otherwise
// 0: also when cancelled, and after printing a failure with "\n%s\n".
std::int32_t PlaceFurtherPartRef(VxDbObjectId rowId);
