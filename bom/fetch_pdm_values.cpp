#include "bom/fetch_pdm_values.h"

#include <optional>
#include <string>

#include "config/ini_file.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"

std::int32_t FetchPdmValues(BomContext& /*context*/, const char16_t* key, VxmStringMap& values,
                            const char16_t* section, const char16_t* database,
                            std::vector<std::u16string>* unanswered) {
    if (key == nullptr || section == nullptr) {
        return kFetchNoKeyOrSection;
    }
    PdmLink& pdm = PdmLink::Instance();
    CIniFile& mapping = pdm.GetBomMappingFile();
    if (mapping.LoadState() != kIniLoaded) {
        return mapping.LoadState();
    }
    SectionEntries entries;
    if (!mapping.ReadSection(section, false, entries)) {
        return kFetchNoSection;
    }
    for (const auto& [target, expression] : entries) {
        std::optional<std::u16string> answer = pdm.QueryByKey(key, expression.c_str(), database);
        // An empty answer is a value and is stored.
        if (answer && !IsPdmErrorAnswer(*answer)) {
            values[target] = std::move(*answer);
        } else if (unanswered != nullptr) {
            unanswered->push_back(target);
        }
    }
    return 0;
}
