#include "partref/row_key.h"

#include <optional>
#include <string_view>

#include "pdm/mapping_sections.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"

namespace {

std::u16string_view StripWhiteSpace(std::u16string_view text) {
    constexpr std::u16string_view kWhiteSpace = u" \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
}

}  // namespace

RowKey SelectRowKey(const BomRow& row) {
    if (const auto stored = row.values.find(u"ORBKEY"); stored != row.values.end()) {
        return RowKey{stored->second, kPartRefSection.name, kPartRefSection.folder};
    }
    const auto ident = row.values.find(u"ORBD_PARTNO");
    if (ident == row.values.end()) {
        return RowKey{};
    }
    std::u16string revision;
    if (const auto stored = row.values.find(u"ORBD_PARTREV"); stored != row.values.end()) {
        revision = StripWhiteSpace(stored->second);
    }
    PdmLink& pdm = PdmLink::Instance();
    const std::optional<std::u16string> answer =
        revision.empty()
            ? pdm.FindPartKeyByIdent(ident->second.c_str())
            : pdm.FindPartKeyByIdentAndRevision(ident->second.c_str(), revision.c_str());
    // An error text of the PDM is no key; an empty answer means the PDM knows no such part;
    // several keys (parts sharing the number) name none of them.
    if (!answer || answer->empty() || IsPdmErrorAnswer(*answer) || HoldsSeveralValues(*answer)) {
        return RowKey{};
    }
    return RowKey{*answer, kProductSection.name, kProductSection.folder};
}
