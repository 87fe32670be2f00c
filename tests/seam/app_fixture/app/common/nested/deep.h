// One offence, climbing out of a nested folder.
#pragma once

#  include "../../../bom/bom_row.h"
