#include "app/ini_check/ini_unknown_keys.h"

#include "config/ini_line.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_answer.h"
#include "pdm/query_text.h"
#include "sim/pdm/pdm_control.h"

namespace {

const char* KeysWord(SectionKeys keys) {
    switch (keys) {
        case SectionKeys::kDrawingKey:
            return "the drawing's \"ORBKEY\"";
        case SectionKeys::kSelectedItem:
            return "the selected item";
        case SectionKeys::kNone:
        case SectionKeys::kStoredKey:
        case SectionKeys::kPartNumber:
            break;
    }
    return "the key";
}

const KeySet* KeysToCheck(const ScenarioFacts& facts, SectionKeys keys) {
    switch (keys) {
        case SectionKeys::kStoredKey:
            return &facts.storedRowKeys;
        case SectionKeys::kDrawingKey:
            return &facts.drawingKeys;
        case SectionKeys::kSelectedItem:
            return &facts.selectedKeys;
        case SectionKeys::kNone:
        case SectionKeys::kPartNumber:  // found in the PDM, so a record holds it
            break;
    }
    return nullptr;
}

bool RecordHolds(const std::u16string& folder, const std::u16string& key) {
    const std::u16string answer = sim::pdm::evaluate(
        u"#(where db=" + folder + u" ORBKEY=N'" + pdm_query::QuoteLiteralBody(key) + u"' #ORBKEY)",
        false);
    return !answer.empty() && !IsPdmErrorAnswer(answer);
}

}  // namespace

std::vector<IniWarning> UnknownKeyWarnings(const CIniFile& file, const SectionsSeen& sections,
                                           const ScenarioFacts& facts) {
    std::vector<IniWarning> warnings;
    for (const MappingSection* known : kMappingSections) {
        const KeySet* keys = KeysToCheck(facts, known->keys);
        const std::u16string name = FoldSectionName(known->name);
        const auto seen = sections.find(name);
        if (keys == nullptr || seen == sections.end() || !file.HasSection(known->name)) {
            continue;
        }
        const std::u16string folder =
            known->folder != nullptr ? known->folder : u"Folder_All_Document";
        for (const std::u16string& key : keys->keys) {
            if (!RecordHolds(folder, key)) {
                warnings.push_back({seen->second.headerLine,
                                    Header(name) + ": no record of " + ShownText(folder) +
                                        " holds " + KeysWord(known->keys) + " " + Quoted(key) +
                                        ": a run gives every field this section maps for it "
                                        "what its query answers for no record, an empty text"});
            }
        }
    }
    return warnings;
}
