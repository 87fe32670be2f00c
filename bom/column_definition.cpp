#include "bom/column_definition.h"

#include <vector>

namespace {

bool IsSeparator(char16_t c) {
    return c == u',' || c == u';' || c == u'|';
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

std::vector<std::u16string_view> ColumnDefinitionTokens(std::u16string_view value) {
    std::vector<std::u16string_view> tokens;
    std::size_t pos = 0;
    for (;;) {
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

bool IsVisibilityToken(std::u16string_view token) {
    return token == u"1" || token == u"0";
}

bool IsDataTypeToken(std::u16string_view token) {
    return DataTypeOf(token) != 0;
}

std::optional<ColumnDefinition> ParseColumnDefinition(std::u16string_view value) {
    const std::vector<std::u16string_view> tokens = ColumnDefinitionTokens(value);
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
