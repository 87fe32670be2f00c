// ChangePartRefKey: part references directly in model space re-keyed and filled anew from the
// PDM.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"

// Every model-space part reference whose "ORBKEY" (empty when absent) equals oldKey, or is
// not empty when oldKey is "*", gets AssignPartRefKey(newKey); so an empty oldKey re-keys the
// unkeyed ones. Part references inside blocks are never visited. Answers 0 after the walk, or
// -1 after printing ("\n%s") a host failure that kept model space closed.
std::int32_t ChangePartRefKey(BomContext& context, const char16_t* oldKey, const char16_t* newKey);
