// PDM field expressions the PDM cannot parse, found without a scenario: each is parsed inside
// the query the module builds around it, and the place where parsing stopped is given as a
// character of the file's line, not of that query.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "app/ini_check/ini_report.h"
#include "config/ini_file.h"

// Checks the module's fetched sections and the folded names in `more` (sections typed at
// ORBDCREATEPARTREF2 or named by --section), each where the file has it.
std::vector<IniWarning> ExpressionSyntaxWarnings(const CIniFile& file, const SectionsSeen& sections,
                                                 const std::set<std::u16string>& more);
