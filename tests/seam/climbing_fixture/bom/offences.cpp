// Known offences for the layer check's own test, one folder each: every line marked "climbs"
// or "beside" must be reported, every other line let pass.
#include <vector>
#include "../module/nested/x.h"  // climbs
#include "base/smart_ptr.h"
#include "bom/bom_row.h"
#include "config/ini_file.h"
#include "host/vx_db.h"
#include "partref/create_part_ref.h"  // climbs
#include "partref_notes/x.h"
#include "pdm/pdm_link.h"
#include "resources/resource_ids.h"
#include "row_cursor.h"
