// vexa-sim ini-check [FILE] [--section NAME] [--scenario S.json [--key KEY [--db NAME]]]:
// explains how the module reads a mapping file and, with a scenario, what it would read with
// that drawing and PDM.
//
// Loads FILE (without it, the scenario's "BOMIniFile" from the scenario's files) with the
// module's own CIniFile and reports the encoding, the LoadState, every section with the
// entries that ReadSection delivers ("SUPER" folded in, each section's own "SUPER" pair
// shown), and a warning, with its line number, for each thing that goes wrong silently:
// while loading, in sections no command reads, in column definitions and in expressions the
// PDM cannot parse. With --scenario, the sections the module reads are checked against the
// scenario's drawing and PDM (see ini_scenario_check.h); their findings are warnings too.
// With --section, only that section is listed and checked; --key and --db stand for the
// answers a prompt would give for it. Warnings always go to `out`.
//
// Exit code: 0 without warnings, 1 with warnings, 2 when the file or the scenario did not
// load or the arguments are wrong.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args: the words after "ini-check".
int RunIniCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
