// The column definition of a kBomColumnsSection entry: display text, visibility and
// data type, written as up to three tokens separated by ",", ";" or "|" (a run of separators
// counts as one; leading separators are skipped), e.g. "Weight,1,d" or "Count|1|I".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ColumnDefinition {
    std::u16string displayText;  // token 1, raw (the caller may evaluate it)
    bool visible = true;         // token 2 is exactly "1"; true when token 2 is absent
    int dataType = 0;            // token 3: "i"/"I" 1, "d"/"D" 2, anything else 0
};

// Every token of the value, in order; only the first three have a meaning.
std::vector<std::u16string_view> ColumnDefinitionTokens(std::u16string_view value);

// Whether a visibility or data-type token is one the module gives a meaning of its own; any
// other hides the column (token 2) or makes it a text column (token 3).
bool IsVisibilityToken(std::u16string_view token);
bool IsDataTypeToken(std::u16string_view token);

// The definition, or std::nullopt when the value holds no token at all (empty or only
// separators).
std::optional<ColumnDefinition> ParseColumnDefinition(std::u16string_view value);
