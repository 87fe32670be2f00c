#include "config/ini_section.h"

#include "config/ini_line.h"

CIniSection::CIniSection() = default;

CIniSection::~CIniSection() = default;

void CIniSection::SetEntry(std::u16string_view key, std::u16string_view value) {
    entries_.insert_or_assign(StoredEntryKey(key), std::u16string(value));
}
