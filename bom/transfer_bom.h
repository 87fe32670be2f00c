// TransferBom: the work of "ORBDBOM". Sends every row of the drawing's parts list to the
// PDM as one framed call sequence ("BOMSTART", per row with an item "BOMELEMENTSTART", one
// "BOMELEMENTINFO" per non-empty mapped value, "BOMELEMENTEND", then "BOMEND"), with the
// fields configured in the mapping section kBomTransferSection, then writes back part numbers.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"

// Expects context.bomId to hold the drawing's parts list (LocateBom answered 0). Answers the
// result of WriteBackPartNumbers after a complete run; -1 after a failure shown in an alert;
// the PDM's nonzero code when it refused "BOMSTART" (nothing shown, nothing else sent).
std::int32_t TransferBom(BomContext& context);
