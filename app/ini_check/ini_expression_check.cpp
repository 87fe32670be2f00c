#include "app/ini_check/ini_expression_check.h"

#include <optional>

#include "app/ini_check/ini_entry_place.h"
#include "config/ini_line.h"
#include "pdm/mapping_sections.h"
#include "pdm/query_text.h"
#include "sim/pdm/pdm_control.h"

namespace {

// Where parsing stopped, as a 1-based character of the line "KEY=EXPRESSION"; a query that
// ends too early stops after the expression, at the end of the line.
std::string PlaceInLine(const std::u16string& key, const std::u16string& expression,
                        const std::u16string& query, std::size_t offset) {
    const std::size_t start = query.size() - 1 - expression.size();
    const std::size_t within = offset < start ? 0 : offset - start;
    if (within >= expression.size()) {
        return "at the end of the line";
    }
    return "at character " + std::to_string(key.size() + 1 + within + 1) + " of the line";
}

void CheckSection(const CIniFile& file, const SectionsSeen& sections, const std::u16string& section,
                  const char16_t* folder, std::vector<IniWarning>& warnings) {
    SectionEntries entries;
    file.ReadSection(section, false, entries);
    entries.erase(std::u16string(kSuperKey));
    for (const auto& [target, expression] : entries) {
        if (pdm_query::HostFunctionName(expression)) {
            continue;
        }
        const std::u16string query = pdm_query::KeyQuery(u"KEY", expression, folder);
        const std::optional<sim::pdm::SyntaxError> error = sim::pdm::syntaxError(query);
        if (!error) {
            continue;
        }
        const EntryPlace place = PlaceOfEntry(file, sections, section, target, expression);
        warnings.push_back(
            {place.line, place.text + ": the PDM cannot parse the expression: " + error->reason +
                             " " + PlaceInLine(target, expression, query, error->offset)});
    }
}

}  // namespace

std::vector<IniWarning> ExpressionSyntaxWarnings(const CIniFile& file, const SectionsSeen& sections,
                                                 const std::set<std::u16string>& more) {
    std::vector<IniWarning> warnings;
    std::set<std::u16string> checked;
    for (const MappingSection* known : kMappingSections) {
        // The columns and the transfer hold no expressions; the others are checked once.
        checked.insert(FoldSectionName(known->name));
        if (known->keys != SectionKeys::kNone && file.HasSection(known->name)) {
            CheckSection(file, sections, known->name, known->folder, warnings);
        }
    }
    for (const std::u16string& name : more) {
        if (!checked.contains(name) && file.HasSection(name)) {
            CheckSection(file, sections, name, nullptr, warnings);
        }
    }
    return warnings;
}
