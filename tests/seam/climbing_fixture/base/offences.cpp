// The unusual spacing of the include lines is what the check must read.
// clang-format off
#  include "config/ini_file.h"  // climbs
#include "host/vx_db.h"
#include "../host/vx_status.h"
