// How a warning names the entry it is about: the section and line its value comes from, and,
// when that is the "SUPER" section, the section that reads it through "SUPER".
#pragma once

#include <string>

#include "app/ini_check/ini_report.h"
#include "config/ini_file.h"

struct EntryPlace {
    int line = 0;  // of the value ReadSection delivers; 0 when no line holds it
    std::string
        text;  // "[SECTION] KEY=VALUE" or "[BASE] KEY=VALUE, read by [SECTION] through SUPER"
};

EntryPlace PlaceOfEntry(const CIniFile& file, const SectionsSeen& sections,
                        const std::u16string& section, const std::u16string& key,
                        const std::u16string& value);
