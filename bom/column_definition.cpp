#include "bom/column_definition.h"

#include <vector>

namespace {

bool IsSeparator(char16_t c) {
    return c == u',' || c == u';' || c == u'|';
}

// At most the first three tokens; later ones have no meaning.
std::vector<std::u16string_view> SplitTokens(std::u16string_view value) {
    std::vector<std::u16string_view> tokens;
    std::size_t pos = 0;
    while (tokens.size() < 3) {
        while (pos < value.size() && IsSeparator(value[pos])) {
            ++pos;
        }
        if (pos == value.size()) {
            break;
        }
        const std::size_t start = pos;
        while (pos < value.size() && !IsSeparator(value[pos])) {
            ++pos;
        }
        tokens.push_back(value.substr(start, pos - start));
    }
    return tokens;
}

int DataTypeOf(std::u16string_view token) {
    if (token == u"i" || token == u"I") {
        return 1;
    }
    if (token == u"d" || token == u"D") {
        return 2;
    }
    return 0;
}

}  // namespace

std::optional<ColumnDefinition> ParseColumnDefinition(std::u16string_view value) {
    const std::vector<std::u16string_view> tokens = SplitTokens(value);
    if (tokens.empty()) {
        return std::nullopt;
    }
    ColumnDefinition definition;
    definition.displayText = std::u16string(tokens[0]);
    if (tokens.size() >= 2) {
        definition.visible = tokens[1] == u"1";
        definition.dataType = tokens.size() >= 3 ? DataTypeOf(tokens[2]) : 0;
    }
    return definition;
}
