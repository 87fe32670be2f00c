// What ini-check reports of a mapping file: warnings with their lines, the lines every entry
// was written on, and the file's texts made safe for a terminal.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_file.h"

struct IniWarning {
    int line;  // 0: of the whole file
    std::string text;
};

// One section as the load leaves it: a section given again starts afresh, as it does for
// the loader.
struct SectionSeen {
    int headerLine = 0;
    std::map<std::u16string, int> keyLines;  // stored key to the line of its last value
    std::u16string superValue;               // its own "SUPER" value, as written
};

// Folded section name to what the load saw of it.
using SectionsSeen = std::map<std::u16string, SectionSeen>;

// The line of the value that file's ReadSection delivers for key in section: the SUPER
// section's, when it has the key, since its values win; 0 when neither has it.
int DeliveredLine(const CIniFile& file, const SectionsSeen& sections, const std::u16string& section,
                  const std::u16string& key);

// Everything of the file is shown escaped: a mapping file must not drive the terminal.
std::string ShownText(std::u16string_view text);
std::string Quoted(std::u16string_view text);
std::string Header(std::u16string_view name);

// Sorts by line, keeping the order of warnings on one line.
void SortByLine(std::vector<IniWarning>& warnings);
