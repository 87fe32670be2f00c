// Evaluates parsed PDM expressions over the stand-in PDM's store.
//
// A field reference reads the innermost row in scope: in a where-query's result the matching
// row, in its condition the row of the enclosing where-query, and outside of every query the
// document's record (the Folder_All_Document record whose ORBKEY is the document's
// environment value "ORBKEY"). A field the row lacks, or a missing document record, reads "".
// Conditions compare fields of the candidate row. A where-query answers the non-empty results
// of its matching rows, in table order, joined by a line feed; no match answers "".
#pragma once

#include <string>
#include <vector>

#include "sim/pdm/expression.h"
#include "sim/pdm/pdm_store.h"

namespace sim::pdm {

// Rows one evaluation may visit; nested queries multiply, and a stand-in must not hang on
// an expression whose work grows beyond any real use.
constexpr long kMaxRowVisits = 100000;

class ExpressionEvaluator {
  public:
    // modal: whether dialogs may be shown (orbdPrepWithModalDialog); "call SelectItem" needs it.
    ExpressionEvaluator(PdmStore& store, VxApDocument* document, bool modal);

    // Throws ExpressionError for what cannot be evaluated.
    std::u16string evaluate(const Terms& terms);

  private:
    std::u16string term(const Term& t);
    std::u16string where(const Term& t);
    std::u16string call(const Term& t);
    bool matches(const Condition& c, const Record& row);
    std::u16string field(const std::u16string& name);
    const Record* documentRecord();

    PdmStore& store_;
    VxApDocument* document_;
    bool modal_;
    std::vector<const Record*> scopes_;
    long rowVisits_ = 0;
    bool documentLooked_ = false;
    const Record* documentRecord_ = nullptr;
};

// Parses and evaluates; errors become "!" and the reason.
std::u16string evaluateText(PdmStore& store, VxApDocument* document, bool modal,
                            const std::u16string& expression);

}  // namespace sim::pdm
