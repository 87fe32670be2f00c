// "vexa-sim import --bom FILE [--pdm TABLE=FILE ...] [--mapping FILE.ini] [--env NAME=VALUE ...]
// [--type LINE ...] [--part-refs] [--separator C] [-o OUT.json]": a scenario from the files an
// administrator has, the parts list as the module exports it or as CSV/TSV, PDM tables as CSV,
// and the mapping file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes: 0 the scenario is written (to OUT.json, or to out without -o), 2 bad arguments,
// or an input file that cannot be read or breaks its form (the message names the file, the
// line and what is wrong), or a value the scenario format refuses; 1 OUT.json cannot be
// written. Nothing is written unless the whole scenario is.
int RunImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
