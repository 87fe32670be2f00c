#include "app/ini_check/ini_entry_place.h"

#include <optional>

#include "config/ini_line.h"

EntryPlace PlaceOfEntry(const CIniFile& file, const SectionsSeen& sections,
                        const std::u16string& section, const std::u16string& key,
                        const std::u16string& value) {
    const std::u16string folded = FoldSectionName(section);
    EntryPlace place{DeliveredLine(file, sections, section, key),
                     Header(folded) + " " + ShownText(key) + "=" + ShownText(value)};
    const std::optional<std::u16string> super = file.SuperSection(section);
    if (!super || *super == folded) {
        return place;
    }
    const auto base = sections.find(*super);
    if (base != sections.end() && base->second.keyLines.contains(key)) {
        place.text = Header(*super) + " " + ShownText(key) + "=" + ShownText(value) + ", read by " +
                     Header(folded) + " through SUPER";
    }
    return place;
}
