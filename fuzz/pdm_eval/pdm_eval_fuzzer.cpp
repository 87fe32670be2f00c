// Fuzzes the stand-in PDM's expression parser and evaluator (built into the target itself so
// that they are instrumented) over a small fixed store. The first byte chooses the modal form; the
// rest is the expression, one character per byte so that the fuzzer reaches the grammar
// quickly, with bytes above 0x7f widened to reach characters beyond ASCII as well.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/pdm/expression_evaluator.h"
#include "sim/pdm/pdm_store.h"

namespace {

using sim::pdm::PdmStore;

PdmStore filledStore() {
    PdmStore s;
    sim::pdm::addStandardTables(s);
    s.environments[nullptr][u"ORBKEY"] = u"D1.1";
    s.tables[u"Folder_All_Document"] = {{{u"ORBKEY", u"D1.1"}, {u"IDENT", u"DOC"}}};
    s.tables[u"Folder_All_Part"] = {{{u"ORBKEY", u"P9"}, {u"IDENT", u"4711"}},
                                    {{u"ORBKEY", u"P10"}, {u"IDENT", u"O'NEIL"}}};
    s.tables[u"XREF_ELEMENT"] = {{{u"PARENT_ORBKEY", u"D1.1"},
                                  {u"CHILD_ORBKEY", u"C1"},
                                  {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.PART"}}};
    s.tables[u"Folder_Xref_Child_Part_General"] = {
        {{u"X_PARENT_ORBKEY", u"C1"}, {u"X_POSITION", u"1"}, {u"IDENT", u"4711"}}};
    s.settings[u"BOMTransferFor2DStructure"] = u"1";
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static PdmStore store = filledStore();
    if (size == 0) {
        return 0;
    }
    const bool modal = (data[0] & 1) != 0;
    std::u16string expression;
    expression.reserve(size - 1);
    for (std::size_t i = 1; i < size; ++i) {
        expression += data[i] < 0x80 ? char16_t(data[i]) : char16_t(0x100 + data[i] * 0x9b);
    }
    if (store.selections.empty()) {
        store.selections.push_back(u"P9");
    }
    const std::u16string result = sim::pdm::evaluateText(store, nullptr, modal, expression);
    // Text without a form evaluates to itself.
    if (expression.find(u'#') == std::u16string::npos &&
        expression.find(u'@') == std::u16string::npos && result != expression) {
        __builtin_trap();
    }
    return 0;
}
