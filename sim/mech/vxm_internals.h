// VxmInternals: the mechanical layer's way into the private members of the host-visible
// mechanical classes (part references, standards, columns). Only sim/mech uses it.
#pragma once

#include <memory>
#include <vector>

#include "host/vxm_partref.h"
#include "host/vxm_standard.h"

class VxmInternals {
  public:
    static VxDbObjectId& dataEntry(VxmPartRef& partRef) { return partRef.dataEntry_; }
    static VxDbObjectId& bomStd(VxmStandard& standard) { return standard.bomStd_; }
    static std::vector<std::unique_ptr<VxmCColumnDef>>& columns(VxmBOMStd& std) {
        return std.columns_;
    }
    static const std::vector<std::unique_ptr<VxmCColumnDef>>& columns(const VxmBOMStd& std) {
        return std.columns_;
    }
    // Appends a column without the write-open rule, as loading a drawing does.
    static VxmCColumnDef& addColumn(VxmBOMStd& std, int type, int dataType, const char16_t* name,
                                    const char16_t* display, bool visible) {
        std::unique_ptr<VxmCColumnDef> column(new VxmCColumnDef(type, dataType, name, display));
        column->owner_ = &std;
        column->visible_ = visible;
        std.columns_.push_back(std::move(column));
        return *std.columns_.back();
    }
};
