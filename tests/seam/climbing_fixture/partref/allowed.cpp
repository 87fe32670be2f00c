// Every layer below partref/: nothing to report.
#include "../partref/row_key.h"
#include "base/model_space.h"
#include "bom/bom_row.h"
#include "config/ini_file.h"
#include "host/vx_db.h"
#include "pdm/pdm_link.h"
#include "resources/resource_ids.h"
