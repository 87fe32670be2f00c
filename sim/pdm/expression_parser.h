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
    explicit ExpressionError(const std::string& what,
                             std::size_t offset = std::u16string_view::npos)
        : std::runtime_error(what), offset_(offset) {}
    // Where the parser stopped; npos for an error found while evaluating.
    std::size_t offset() const { return offset_; }

  private:
    std::size_t offset_;
};

// Nesting deeper than this is refused, so that no expression can exhaust the stack.
constexpr int kMaxExpressionDepth = 64;

Terms parseExpression(std::u16string_view text);

}  // namespace sim::pdm
