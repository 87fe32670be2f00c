// "vexa-sim shell": the drawing and PDM of a scenario, and the host's command line read from
// the terminal. Prompts that the typed line does not answer, message boxes and dialogs are
// asked on the terminal too.
#pragma once

#include <istream>
#include <ostream>

#include "app/run_options.h"

int RunShell(const RunOptions& options, std::istream& in, std::ostream& out, std::ostream& err);
