// "vexa-sim run": runs a scenario and prints its transcript.
#pragma once

#include <functional>
#include <ostream>

#include "app/common/run_options.h"
#include "app/common/scenario.h"

// Exit codes: 0 the run completed with nothing left open, 1 objects were left open,
// 2 the scenario could not be read or does not fit the schema, 3 the module did not load.
int RunScenario(const RunOptions& options, std::ostream& out, std::ostream& err);

// Makes the paths of the options absolute, as the run changes the current directory.
RunOptions Absolute(const RunOptions& options);

// Reads the options' scenario and runs body on it; a scenario that cannot be read or breaks
// the schema, and a module that does not load, are reported on err with their exit codes.
// The body may release what it has taken from the scenario.
int WithScenario(const RunOptions& options, std::ostream& err,
                 const std::function<int(Scenario&)>& body);
