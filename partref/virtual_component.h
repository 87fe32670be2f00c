// CreateVirtualComponent: a PDM item the user picked added to the drawing.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"

// When a row of the parts list already has the item's ident as "ORBD_PARTNO", places a
// further part reference of the first such row; otherwise a new part reference filled through
// kVirtualComponentSection from its folder (writeKey false). A drawing without a
// parts list gets one first, and then always the new part reference.
//
// Answers -1 when key is null or empty, when no parts list could be had, or after printing
// ("\n%s\n") a row that cannot be read; otherwise the result of PlaceFurtherPartRef or
// CreatePartRef.
std::int32_t CreateVirtualComponent(BomContext& context, const char16_t* key);
