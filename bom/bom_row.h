// BomRow: one row of the drawing's parts list as the mechanical layer reports it, and the
// two passes over rows that every parts-list operation shares.
#pragma once

#include <cstdint>
#include <string>

#include "bom/bom_context.h"
#include "host/vxm_bom.h"

struct BomRow {
    VxDbObjectId rowId;
    std::u16string item;
    std::int32_t quantity = 0;
    VxmStringMap values;  // column name to cell text
};

// Reads one row. Throws HostStatusError when the layer refuses.
BomRow ReadBomRow(VxDbObjectId rowId);

// Clears the pending state of every row of context.bomId before the rows are read, so that
// readRow sees settled rows. Throws HostStatusError on a failing row-state call; no cursor
// means nothing to prepare.
void PrepareBomRows(BomContext& context);
