// Whether a text is a plain unsigned decimal number, the one form in which the module accepts
// a number from outside (an xref position for a PDM query, an entity's integer id).
#pragma once

#include <algorithm>
#include <string_view>

// One or more digits 0-9 and nothing else: no sign, no blank, no other digit of Unicode.
inline bool IsDecimalNumber(std::u16string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}
