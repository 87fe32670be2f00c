// The unusual spacing of the include lines is what the check must read.
// clang-format off
#include "resources/resource_ids.h"  // beside
#include"base/smart_ptr.h"  // climbs
#include "host/vx_status.h"
#include "vx_array.h"
