#include "base/../host/kordane.h"
#include "config/../bom/fetch_pdm_values.h"  // climbs
#include "config/ini_file.h"
