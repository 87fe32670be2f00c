// The top layer may include every folder below it, from a nested folder too.
#include "../../bom/bom_row.h"
#include "module/command_barrier.h"
#include "partref/create_part_ref.h"
#include "resources/string_table.h"
