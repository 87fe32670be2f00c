// Making texts safe to place into PDM query templates.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pdm_query {

// The text with every apostrophe doubled, as a PDM N'...' literal needs it, so that a value
// holding an apostrophe is found as written instead of ending the literal early.
std::u16string QuoteLiteralBody(std::u16string_view text);

// Whether the text can stand inside a double-quoted literal of a PDM where-expression
// ("ORBKEY=%s", "db=%s"): the PDM's language has no escape there, so a double quote would end
// the literal and change the query.
bool FitsDoubleQuotedLiteral(std::u16string_view text);

// "(NAME)rest" names a function of the host instead of a PDM field: the name, or
// std::nullopt for an expression the PDM evaluates. The rest and the key play no part.
std::optional<std::u16string_view> HostFunctionName(std::u16string_view expression);

// The where-expression that asks the record with the key in folder (null or empty:
// "Folder_All_Document") for the field expression. The expression stands last, right before
// the closing ")", so a position in the query maps back into it.
std::u16string KeyQuery(std::u16string_view key, std::u16string_view expression,
                        const char16_t* folder);

}  // namespace pdm_query
