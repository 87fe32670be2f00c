// Control API of the system registry: tests may replace an entry (to see how a module copes
// with a missing or wrongly typed service) and put the original back.
#pragma once

#include <string>

#include "host/vx_rx.h"

namespace sim {

// Sets the entry of that name (null removes it); answers the previous entry.
VxRxObject* replaceRegistryEntry(const std::u16string& name, VxRxObject* object);

}  // namespace sim
