// RowCursor: holds a parts-list row cursor of the mechanical layer and releases it (with
// release(), never delete) when the guard is destroyed, on every way out of its scope.
#pragma once

#include "host/vxm_bom.h"

class RowCursor {
  public:
    // A fresh cursor over the rows of the parts list, in row order (flags 0, order 1); empty
    // when the layer gives none.
    explicit RowCursor(VxDbObjectId bomId) : cursor_(getVxmBomMgr()->newRowCursor(bomId, 0, 1)) {}
    ~RowCursor() {
        if (cursor_ != nullptr) {
            cursor_->release();
        }
    }
    RowCursor(const RowCursor&) = delete;
    RowCursor& operator=(const RowCursor&) = delete;

    explicit operator bool() const { return cursor_ != nullptr; }
    bool done() const { return cursor_->done(); }
    VxDbObjectId currentRowId() const { return cursor_->currentRowId(); }
    void step() { cursor_->step(); }

  private:
    VxmBOMRowCursor* cursor_;
};
