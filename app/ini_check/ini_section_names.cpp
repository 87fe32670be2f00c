#include "app/ini_check/ini_section_names.h"

#include <algorithm>
#include <vector>

#include "config/ini_line.h"
#include "pdm/mapping_sections.h"

namespace {

// Edits a misspelling is allowed: a letter dropped, doubled, swapped or changed, a blank.
constexpr std::size_t kMostEdits = 3;

// Letters inserted, deleted, changed, or two neighbours swapped, each one edit.
std::size_t EditDistance(std::u16string_view a, std::u16string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

bool IsModuleSection(const std::u16string& folded) {
    return std::any_of(
        std::begin(kMappingSections), std::end(kMappingSections),
        [&](const MappingSection* known) { return FoldSectionName(known->name) == folded; });
}

}  // namespace

std::optional<std::u16string> NearestModuleSection(std::u16string_view folded) {
    std::optional<std::u16string> nearest;
    std::size_t best = kMostEdits + 1;
    for (const MappingSection* known : kMappingSections) {
        const std::u16string name = FoldSectionName(known->name);
        const std::size_t edits = EditDistance(folded, name);
        if (edits < best) {
            best = edits;
            nearest = name;
        }
    }
    return nearest;
}

std::vector<IniWarning> UnreadSectionWarnings(const CIniFile& file, const SectionsSeen& sections,
                                              const std::set<std::u16string>& read) {
    std::set<std::u16string> named = read;
    for (const std::u16string& name : file.SectionNames()) {
        if (const std::optional<std::u16string> super = file.SuperSection(name)) {
            named.insert(*super);
        }
    }
    std::vector<IniWarning> warnings;
    for (const auto& [name, seen] : sections) {
        if (IsModuleSection(name) || named.contains(name)) {
            continue;
        }
        std::string text =
            "section " + Header(name) + " is read by no command and named by no SUPER";
        if (const std::optional<std::u16string> nearest = NearestModuleSection(name)) {
            text += ": did you mean " + Header(*nearest) + "?";
        }
        warnings.push_back({seen.headerLine, text});
    }
    return warnings;
}
