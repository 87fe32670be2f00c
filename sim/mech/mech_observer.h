// Control API: tells vexa-sim what the module reads and writes through the BOM manager, so
// that a command's summary can count rows and fields. Told after each call that succeeded;
// the control API's own reads and writes are not told.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "host/vx_export.h"
#include "host/vxm_bom.h"

namespace sim {

struct MechObserver {
    std::function<void(VxDbObjectId row, const std::u16string& item, const VxmStringMap& cells)>
        rowRead;
    // cells: what the call wrote; changedFields: how many of the row's values it changed.
    std::function<void(VxDbObjectId row, const VxmStringMap& cells, std::size_t changedFields)>
        rowWritten;
    std::function<void(VxDbObjectId object, bool partRef, std::size_t changedFields)>
        partDataWritten;
};

// Replaces the observer (empty functions: nobody is told).
VX_HOST_API void setMechObserver(MechObserver observer);
const MechObserver& mechObserver();

// The fields whose value differs between the two maps, a field one lacks counting as "".
std::size_t changedFieldCount(const VxmStringMap& before, const VxmStringMap& after);

}  // namespace sim
