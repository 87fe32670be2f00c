// xrefPartStatus: whether an entity is a block reference to an external drawing whose part
// data the mechanical layer returns.
#pragma once

#include "bom/bom_context.h"
#include "host/vx_db_object_id.h"

// 0 when it is; 21 when the entity or its block definition cannot be opened or the block is
// no external reference; otherwise the mechanical layer's status of reading the part data.
int xrefPartStatus(BomContext& context, VxDbObjectId entityId);
