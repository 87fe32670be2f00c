#include "app/ini_check/ini_report.h"

#include <algorithm>
#include <optional>

#include "app/common/terminal_text.h"
#include "config/ini_line.h"
#include "host/vx_string.h"

int DeliveredLine(const CIniFile& file, const SectionsSeen& sections, const std::u16string& section,
                  const std::u16string& key) {
    const auto own = sections.find(FoldSectionName(section));
    if (own == sections.end()) {
        return 0;
    }
    if (const std::optional<std::u16string> super = file.SuperSection(section)) {
        const auto base = sections.find(*super);
        if (base != sections.end()) {
            const auto line = base->second.keyLines.find(key);
            if (line != base->second.keyLines.end()) {
                return line->second;
            }
        }
    }
    const auto line = own->second.keyLines.find(key);
    return line != own->second.keyLines.end() ? line->second : 0;
}

std::string ShownText(std::u16string_view text) {
    return EscapeControls(VxString(text).toUtf8());
}

std::string Quoted(std::u16string_view text) {
    return "\"" + ShownText(text) + "\"";
}

std::string Header(std::u16string_view name) {
    return "[" + ShownText(name) + "]";
}

void SortByLine(std::vector<IniWarning>& warnings) {
    std::stable_sort(warnings.begin(), warnings.end(),
                     [](const IniWarning& a, const IniWarning& b) { return a.line < b.line; });
}
