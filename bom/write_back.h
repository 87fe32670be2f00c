// WriteBackPartNumbers: after a complete transfer, every row without an "ORBKEY" cell gets
// in its cell "ORBD_PARTNO" the ident of the part that the PDM lists at the row's item
// number in the drawing's document structure.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"

// Answers 0, or -1 after a failure it has shown in an alert (rows already written keep
// their part number).
std::int32_t WriteBackPartNumbers(BomContext& context);
