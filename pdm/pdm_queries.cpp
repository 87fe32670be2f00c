// The PDM queries of PdmLink: where-expressions built from fixed templates and evaluated by
// the PDM, and the host-function form of a field expression.
#include <string_view>

#include "base/decimal_number.h"
#include "host/vx_editor.h"
#include "host/vx_string.h"
#include "pdm/pdm_link.h"
#include "pdm/query_text.h"
#include "pdm/result_list.h"

namespace {

// Answered without asking the PDM, as an error answer of its own, so that callers leave the
// value out as they do for any PDM error.
constexpr const char16_t* kUnquotableAnswer = u"!the key cannot be put into a PDM query";

}  // namespace

std::optional<std::u16string> PdmLink::CallHostFunction(const std::u16string& name) {
    const ResultList arguments(vxutBuildList(kRtStr, name.c_str(), kRtNone));
    if (arguments.get() == nullptr) {
        return std::nullopt;
    }
    ResultList answer;
    const int status = vxedInvoke(arguments.get(), answer.receive());
    const VxResBuf* first = answer.get();
    if (status != kRtNorm || first == nullptr || first->restype != kRtStr ||
        first->resval.rstring == nullptr) {
        return std::nullopt;
    }
    return std::u16string(first->resval.rstring);
}

std::optional<std::u16string> PdmLink::QueryByKey(const char16_t* key, const char16_t* expression,
                                                  const char16_t* folder) {
    if (key == nullptr || expression == nullptr) {
        return std::nullopt;
    }
    const std::u16string_view text(expression);
    if (const std::optional<std::u16string_view> function = pdm_query::HostFunctionName(text)) {
        return CallHostFunction(std::u16string(*function));
    }
    // "ORBKEY=" would match the PDM's records that have no key, none of them the asked one.
    if (key[0] == u'\0') {
        return std::nullopt;
    }
    const bool inFolder = folder != nullptr && folder[0] != u'\0';
    if (!pdm_query::FitsDoubleQuotedLiteral(key) ||
        (inFolder && !pdm_query::FitsDoubleQuotedLiteral(folder))) {
        return std::u16string(kUnquotableAnswer);
    }
    return Evaluate(pdm_query::KeyQuery(key, text, folder).c_str());
}

std::optional<std::u16string> PdmLink::FindChildIdentByPosition(const char16_t* position) {
    if (position == nullptr) {
        return std::nullopt;
    }
    // The position stands bare in the query, so anything but digits could change its meaning.
    if (!IsDecimalNumber(position)) {
        return std::u16string();
    }
    const VxString query = VxString::format(
        u"#(where db=XREF_ELEMENT (PARENT_ORBKEY=#ORBKEY AND "
        u"RELATIONSHIP_ID='ORB.XREF.DOC.PART') #(where db=Folder_Xref_Child_Part_General "
        u"(X_PARENT_ORBKEY=#CHILD_ORBKEY AND X_POSITION=%s) #IDENT))",
        position);
    return Evaluate(query.c_str());
}

std::optional<std::u16string> PdmLink::FindPartKeyByIdent(const char16_t* ident) {
    if (ident == nullptr) {
        return std::nullopt;
    }
    const VxString query = VxString::format(u"#(where db=Folder_All_Part IDENT=N'%s' #ORBKEY)",
                                            pdm_query::QuoteLiteralBody(ident));
    return Evaluate(query.c_str());
}

std::optional<std::u16string> PdmLink::FindPartKeyByIdentAndRevision(const char16_t* ident,
                                                                     const char16_t* revision) {
    if (ident == nullptr) {
        return std::nullopt;
    }
    const VxString query =
        VxString::format(u"#(where db=Folder_All_Part (IDENT=N'%s' AND REVISION=N'%s') #ORBKEY)",
                         pdm_query::QuoteLiteralBody(ident),
                         pdm_query::QuoteLiteralBody(revision != nullptr ? revision : u""));
    return Evaluate(query.c_str());
}
