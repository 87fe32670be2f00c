// Control API of the stand-in window framework's resource chain: the modules whose resources
// are searched, most recently added first.
#pragma once

#include <vector>

#include "host/winsys.h"

namespace sim {

std::vector<winsys::Hinstance> resourceChain();
// The host program's own resources: current when nothing else was pushed.
winsys::Hinstance hostResourceHandle();

}  // namespace sim
