// eraseInsertedPartRefs: erases the part references among the entities a drawing insertion
// added.
#pragma once

#include "bom/bom_context.h"
#include "host/vx_array.h"

// 15 when no list is given, else 0. Entities that cannot be opened for write as a part
// reference (other entities, erased ones) are skipped; the list is not changed.
int eraseInsertedPartRefs(BomContext& context, const VxDbObjectIdArray* ids);
