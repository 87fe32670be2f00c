#include "config/ini_section.h"

#include "config/ini_line.h"

CIniSection::CIniSection() = default;

CIniSection::~CIniSection() = default;

std::pair<SectionEntries::const_iterator, bool> CIniSection::SetEntry(std::u16string_view key,
                                                                      std::u16string_view value) {
    return entries_.insert_or_assign(StoredEntryKey(key), std::u16string(value));
}
