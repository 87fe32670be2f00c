// EnsureBomColumns: makes sure the drawing's current parts-list standard has the PDM key
// column "ORBKEY" (hidden) and every column configured in the mapping section
// kBomColumnsSection. Existing columns are never changed.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"

// Does its work once per command (context.columnsEnsured). Never alerts; answers 0, or the
// host status of the open that failed.
std::int32_t EnsureBomColumns(BomContext& context);
