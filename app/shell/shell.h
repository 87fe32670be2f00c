// "vexa-sim shell": the drawing and PDM of a scenario, and the host's command line read line
// by line. Lines beginning with "." (and "help") are the shell's own commands
// (shell_commands.h); prompts that the typed line does not answer, message boxes, dialogs and
// the PDM's item selection are asked through the same reader (shell_questions.h).
#pragma once

#include <istream>
#include <ostream>

#include "app/common/run_options.h"
#include "app/shell/line_reader.h"

int RunShell(const RunOptions& options, LineReader& reader, std::ostream& out, std::ostream& err);
// The same over an input stream, as a pipe or a test gives it; the lines read are echoed.
int RunShell(const RunOptions& options, std::istream& in, std::ostream& out, std::ostream& err);
