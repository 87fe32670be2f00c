// The parsed form of a PDM expression, as the stand-in PDM's parser builds it and its
// evaluator walks it. A text is a sequence of terms whose values are joined.
#pragma once

#include <string>
#include <vector>

namespace sim::pdm {

// A comparison FIELD=value, or AND over its operands.
struct Condition {
    enum class Kind { kCompare, kAnd } kind = Kind::kCompare;
    std::u16string field;
    // kCompare: the value is a literal text, or a reference to a field of an enclosing row
    // (or of the document's record).
    bool valueIsReference = false;
    std::u16string value;
    std::vector<Condition> operands;  // kAnd
};

struct Term {
    enum class Kind {
        kText,     // literal text
        kField,    // #FIELD or @(FIELD[:t]): a field of the innermost row that has it
        kWhere,    // the result terms for every row of table that meets the condition
        kSetting,  // #(Appl:NAME)
        kHasPart,  // #(HasPart)
        kCall,     // #(call NAME "argument")
    } kind = Kind::kText;
    std::u16string text;      // kText: the text; kField: field; kSetting, kCall: the name
    std::u16string argument;  // kCall
    std::u16string table;     // kWhere
    bool hasCondition = false;
    Condition condition;       // kWhere, when hasCondition
    std::vector<Term> result;  // kWhere
};

using Terms = std::vector<Term>;

}  // namespace sim::pdm
