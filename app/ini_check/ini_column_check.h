// Column definitions of "KORDANEFieldsInVexaBOM" that do not say what they seem to: a
// visibility other than 1 or 0 hides the column, a data type other than i or d makes it a text
// column, tokens after the third are ignored, a value without any token adds no column.
#pragma once

#include <vector>

#include "app/ini_check/ini_report.h"
#include "config/ini_file.h"

std::vector<IniWarning> ColumnDefinitionWarnings(const CIniFile& file,
                                                 const SectionsSeen& sections);
