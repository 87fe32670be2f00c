// vexa-sim ini-check FILE [--section NAME] [--scenario S.json]: explains how the module reads
// a mapping file and, with a scenario, what it would read with that drawing and PDM.
//
// Loads FILE with the module's own CIniFile and reports the encoding, the LoadState, every
// section with the entries that ReadSection delivers ("SUPER" folded in), and a warning, with
// its line number, for each thing that goes wrong silently while loading. With --scenario,
// the sections the module reads are checked against the scenario's drawing and PDM (see
// ini_scenario_check.h); their findings are warnings too. With --section, only that section
// is checked, standard output holds only its KEY=VALUE pairs (UTF-8, delivery order) and the
// warnings go to `err`.
//
// Exit code: 0 without warnings, 1 with warnings, 2 when the file or the scenario did not
// load or the arguments are wrong.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args: the words after "ini-check".
int RunIniCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
