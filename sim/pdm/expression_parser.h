// Parser of the stand-in PDM's expression language.
//
//   text        := (literal | "#(" form ")" | "@(" atform ")" | "#" FIELD)*
//   form        := "where" ws "db=" TABLE [condition] result
//                | "Appl:" NAME | "HasPart" | "call" ws NAME ws "\"" argument "\""
//   atform      := "Where" ws "\"db=" TABLE "\"" ("\"" FIELD "=" rest "\"")* result
//                | FIELD [":t"]
//   condition   := comparison | "(" operand ("AND" operand)* ")"
//   operand     := comparison | "(" operand ("AND" operand)* ")"
//   comparison  := FIELD "=" (N'text' | 'text' | "text" | #FIELD | bare-word)
//   result      := term+   (terms: #(...), @(...), #FIELD, 'text', N'text', "text")
//
// Keywords are matched regardless of letter case, names exactly. In 'text' literals two
// apostrophes stand for one. Plain text outside of forms is literal.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "sim/pdm/expression.h"

namespace sim::pdm {

// What is wrong with an expression, and where (0-based character offset).
class ExpressionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Nesting deeper than this is refused, so that no expression can exhaust the stack.
constexpr int kMaxExpressionDepth = 64;

Terms parseExpression(std::u16string_view text);

}  // namespace sim::pdm
