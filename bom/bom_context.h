// BomContext: the per-command record of the parts-list and part-reference commands. Each
// handler creates it zero-filled right before the work, passes it by reference to every
// operation of the command and drops it when the command ends.
#pragma once

#include <cstdint>

#include "host/vx_db_object_id.h"

struct BomContext {
    VxDbObjectId bomId;               // the drawing's parts list; null until LocateBom
    std::int32_t columnsEnsured = 0;  // 1 once EnsureBomColumns has done its work this command
};
