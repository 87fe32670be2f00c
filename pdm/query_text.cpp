#include "pdm/query_text.h"

#include <algorithm>

namespace pdm_query {

std::u16string QuoteLiteralBody(std::u16string_view text) {
    std::u16string quoted;
    quoted.reserve(text.size());
    for (char16_t c : text) {
        quoted += c;
        if (c == u'\'') {
            quoted += u'\'';
        }
    }
    return quoted;
}

bool FitsDoubleQuotedLiteral(std::u16string_view text) {
    return text.find(u'"') == std::u16string_view::npos;
}

bool IsPlainPosition(std::u16string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace pdm_query
