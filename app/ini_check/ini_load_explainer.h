// ExplainLoad: reads a mapping file line by line with the loader's own reader and line rules
// and notes, with the line number, each thing the load does silently: lines it ignores or
// splits, blanks that become part of names, overrides, header text it drops or takes into
// the section's name, values of a section that its "SUPER" section replaces.
#pragma once

#include <string>
#include <vector>

#include "app/ini_check/ini_report.h"
#include "config/ini_file.h"

struct LoadExplanation {
    std::string encoding;              // as people name it
    std::vector<IniWarning> warnings;  // sorted by line
    SectionsSeen sections;
};

// `file` is the same file as loaded by CIniFile, for what only the whole load shows.
LoadExplanation ExplainLoad(const std::u16string& path, const CIniFile& file);
