// The entries of one mapping-file section as a caller receives them.
#pragma once

#include <map>
#include <string>

// Ordinal order by UTF-16 code unit: std::less on std::u16string compares char16_t values,
// which are unsigned, so a prefix sorts before its extensions and case is significant.
using SectionEntries = std::map<std::u16string, std::u16string>;
using FieldMapping = SectionEntries::value_type;  // (left side, right side)
