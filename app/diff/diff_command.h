// "vexa-sim diff BEFORE.json AFTER.json [--format text|jsonl]": what changed between the
// drawings of two scenarios or saved drawings.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes: 0 done (with or without changes), 2 bad arguments, or a file that is missing,
// not JSON or whose scenario or drawing breaks the schema (the message names the file and the
// JSON place).
int RunDiff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
