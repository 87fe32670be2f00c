#include "app/ini_check/ini_column_check.h"

#include "app/ini_check/ini_entry_place.h"
#include "bom/column_definition.h"
#include "config/ini_line.h"
#include "pdm/mapping_sections.h"

std::vector<IniWarning> ColumnDefinitionWarnings(const CIniFile& file,
                                                 const SectionsSeen& sections) {
    const std::u16string section(kBomColumnsSection.name);
    SectionEntries entries;
    file.ReadSection(section, false, entries);
    entries.erase(std::u16string(kSuperKey));
    std::vector<IniWarning> warnings;
    for (const auto& [name, value] : entries) {
        const EntryPlace place = PlaceOfEntry(file, sections, section, name, value);
        const auto warn = [&](const std::string& text) {
            warnings.push_back({place.line, place.text + ": " + text});
        };
        const std::vector<std::u16string_view> tokens = ColumnDefinitionTokens(value);
        if (tokens.empty()) {
            warn("no display text: the column is not added");
            continue;
        }
        if (tokens.size() >= 2 && !IsVisibilityToken(tokens[1])) {
            warn("visibility " + Quoted(tokens[1]) +
                 " is neither 1 (shown) nor 0 (hidden): the column is hidden");
        }
        if (tokens.size() >= 3 && !IsDataTypeToken(tokens[2])) {
            warn("data type " + Quoted(tokens[2]) +
                 " is neither i (integer) nor d (decimal): the column holds text");
        }
        if (tokens.size() > 3) {
            warn("only display text, visibility and data type are read: " + Quoted(tokens[3]) +
                 (tokens.size() > 4 ? " and what follows are" : " is") + " ignored");
        }
    }
    return warnings;
}
