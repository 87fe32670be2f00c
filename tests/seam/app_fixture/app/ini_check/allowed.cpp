// Includes that ini-check may have: the allowed module headers, however written, the host's
// interface, the stand-ins, vexa-sim's own files and system headers.
#include "app/ini_check/allowed.h"

#include <nlohmann/json.hpp>
#include <string>

#include <bom/bom_row.h>
#include "../../pdm/pdm_link.h"
#include "app/common/scenario.h"
#include "config/ini_file.h"
#include "host/vx_string.h"
#include "ini_report.h"
#include "sim/host/faults.h"
