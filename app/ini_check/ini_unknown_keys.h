// Keys no PDM record holds. The module keeps its rule for them (each mapped field takes what
// its query answers, and for no record that is empty), so a run blanks those fields; the
// check says so before it happens.
#pragma once

#include <vector>

#include "app/ini_check/ini_report.h"
#include "app/ini_check/ini_scenario_facts.h"
#include "config/ini_file.h"

// For each fetched section the file has, every key of the scenario it is evaluated for that
// no record of its folder holds, at the section's header line.
std::vector<IniWarning> UnknownKeyWarnings(const CIniFile& file, const SectionsSeen& sections,
                                           const ScenarioFacts& facts);
