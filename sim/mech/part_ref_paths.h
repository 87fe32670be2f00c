// The part references of one data entry, found in the drawing: each as the chain of ids from
// the model-space entity down to the part reference.
#pragma once

#include <vector>

#include "host/vx_db_object_id.h"
#include "sim/host/database.h"

namespace sim {

using IdPath = std::vector<VxDbObjectId>;

// Paths in model-space entity order (within a block, in the block's entity order). Erased
// entities are never part of a path; a block that references itself, directly or through
// other blocks, is not entered again.
std::vector<IdPath> partRefPathsOf(const Database& db, VxDbObjectId dataEntry);

}  // namespace sim
