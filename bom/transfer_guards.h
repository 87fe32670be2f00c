// The guards every parts-list command runs first, with a zero-filled BomContext.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"

// 1 when the command must stop because the drawing uses the 2D structure and the PDM does
// not allow a parts-list transfer for it (the user has been told); 0 otherwise.
std::int32_t CheckStructureTransfer(BomContext& context);

// Answers of LocateBom.
constexpr std::int32_t kBomFound = 0;       // found, and the PDM holds a part for the drawing
constexpr std::int32_t kBomMissing = -1;    // the drawing's parts list is not available
constexpr std::int32_t kBomNoPdmPart = -2;  // found, but the PDM holds no part

// Finds the drawing's parts list and stores its id in context.bomId. Answers kBomFound,
// kBomMissing or kBomNoPdmPart.
std::int32_t LocateBom(BomContext& context);
