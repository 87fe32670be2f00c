#include "pdm/query_text.h"

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

}  // namespace pdm_query
