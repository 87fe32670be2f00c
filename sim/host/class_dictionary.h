// The run-time class registry behind the system registry's "ClassDictionary": every
// VxRxClass enters it when constructed, under its name.
#pragma once

#include <string>

#include "host/vx_rx.h"

namespace sim {

// The class of that name, or null.
VxRxClass* findClass(const std::u16string& name);
// Creates the class objects of every host class, so that they can be found by name before a
// module has asked for any of them.
void ensureHostClasses();

}  // namespace sim
