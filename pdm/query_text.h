// Making texts safe to place into PDM query templates.
#pragma once

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

}  // namespace pdm_query
