// A cursor over the rows a parts list held when the cursor was made. It deletes itself on
// release().
#pragma once

#include <cstddef>
#include <vector>

#include "host/vxm_bom.h"

namespace sim {

class RowCursor final : public VxmBOMRowCursor {
  public:
    explicit RowCursor(std::vector<VxDbObjectId> rows) : rows_(std::move(rows)) {}
    void release() override { delete this; }
    VxDbObjectId currentRowId() const override { return done() ? VxDbObjectId() : rows_[next_]; }
    bool done() const override { return next_ >= rows_.size(); }
    void step() override {
        if (!done()) {
            ++next_;
        }
    }

  private:
    ~RowCursor() override = default;
    std::vector<VxDbObjectId> rows_;
    std::size_t next_ = 0;
};

}  // namespace sim
