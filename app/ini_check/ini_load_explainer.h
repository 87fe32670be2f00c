// LoadAndExplain: loads a mapping file with CIniFile, listening to the load, and notes, with the
// line number, each thing the load does silently: lines it ignores or splits, blanks that
// become part of names, overrides, header text it drops or takes into the section's name,
// values of a section that its "SUPER" section replaces.
#pragma once

#include <string>
#include <vector>

#include "app/ini_check/ini_report.h"
#include "config/ini_file.h"
#include "config/text_file_read.h"

struct LoadExplanation {
    std::string encoding;              // as people name it
    std::vector<IniWarning> warnings;  // sorted by line
    SectionsSeen sections;
    // Why the file was not read, when file.LoadState() is kIniFileNotOpened.
    CTextFileRead::Refusal refusal = CTextFileRead::Refusal::kNone;
};

// Loads path into file (fresh), which the explanation's sections then describe.
LoadExplanation LoadAndExplain(const std::u16string& path, CIniFile& file);
