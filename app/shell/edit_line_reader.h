// The shell's line editor at a terminal (libedit, POSIX only): emacs keys, the special keys
// of terminal_keys.h, one history for commands and one for answers. Ctrl-C and a lone Esc
// cancel the line being read (Ctrl-C as a key, or as the interrupt signal that
// interrupt.h catches); Ctrl-D on an empty line ends the input.
#pragma once

#include <memory>
#include <ostream>

#include "app/shell/line_reader.h"

// Nothing when libedit cannot start on the terminal. out is the program's standard output,
// where libedit draws too.
std::unique_ptr<LineReader> MakeEditLineReader(std::ostream& out);
