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

std::optional<std::u16string_view> HostFunctionName(std::u16string_view expression) {
    if (expression.empty() || expression.front() != u'(') {
        return std::nullopt;
    }
    const std::size_t close = expression.find(u')');
    if (close == std::u16string_view::npos) {
        return std::nullopt;
    }
    return expression.substr(1, close - 1);
}

std::u16string KeyQuery(std::u16string_view key, std::u16string_view expression,
                        const char16_t* folder) {
    const bool inFolder = folder != nullptr && folder[0] != u'\0';
    std::u16string query = u"@(Where \"db=";
    query += inFolder ? std::u16string_view(folder) : std::u16string_view(u"Folder_All_Document");
    query += u"\" \"ORBKEY=";
    query += key;
    query += u"\" ";
    query += expression;
    query += u")";
    return query;
}

bool FitsDoubleQuotedLiteral(std::u16string_view text) {
    return text.find(u'"') == std::u16string_view::npos;
}

}  // namespace pdm_query
