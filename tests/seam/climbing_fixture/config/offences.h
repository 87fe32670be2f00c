#include <pdm/pdm_link.h>  // climbs
#include "base/host_status_error.h"
#include "bom/bom_row.h"  // climbs
#include "host/vx_string.h"
#include "modules/x.h"
