// Numbers of the PDM catalogue texts the module shows (GetText reads "VM20<number>").
#pragma once

#include <cstdint>

constexpr std::int32_t kTextNoPartsList = 42;  // the drawing's parts list is not available
constexpr std::int32_t kTextNoRowCursor = 43;  // the parts list's rows cannot be walked
constexpr std::int32_t kTextNoPdmPart = 49;    // the PDM's current document has no part
constexpr std::int32_t kTextPickPoint = 50;    // prompt for a part reference's position
