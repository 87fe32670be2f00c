#include "bom/bom_row.h"

#include "base/host_status_error.h"
#include "bom/row_cursor.h"

BomRow ReadBomRow(VxDbObjectId rowId) {
    BomRow row;
    row.rowId = rowId;
    VxString item;
    ThrowIfHostFailed(
        getVxmBomMgr()->readRow(rowId, item, row.quantity, row.values, VxDbObjectId::kNull));
    row.item = item.str();
    return row;
}

void PrepareBomRows(BomContext& context) {
    RowCursor cursor(context.bomId);
    if (!cursor) {
        return;
    }
    VxmBOMManager* manager = getVxmBomMgr();
    for (; !cursor.done(); cursor.step()) {
        const VxDbObjectId rowId = cursor.currentRowId();
        VxDbObjectId first;
        VxDbObjectId second;
        int flag = 0;
        ThrowIfHostFailed(manager->getRowState(rowId, first, second, flag));
        if (flag != 0) {
            ThrowIfHostFailed(manager->setRowState(rowId, 0));
        }
    }
}
