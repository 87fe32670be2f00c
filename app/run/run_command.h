// "vexa-sim run": runs a scenario and prints its transcript.
#pragma once

#include <ostream>

#include "app/common/run_options.h"

// Exit codes: 0 the run completed with nothing left open, 1 objects were left open,
// 2 the scenario could not be read or does not fit the schema, 3 the module did not load,
// 4 with --strict: the module met a failure (an alert, a host failure, a refused PDM call, a
// PDM error answer).
int RunScenario(const RunOptions& options, std::ostream& out, std::ostream& err);
