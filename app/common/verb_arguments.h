// One way for every verb of vexa-sim to read its arguments, with CLI11: a verb describes its
// options on a CLI::App, and ParseVerbArguments reads them.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/common/exit_codes.h"

// Reads args (in their order, the verb's name not among them) into the verb's options.
// Answers nullopt when the verb should go on; otherwise the exit code: 0 after --help, which
// goes to out, and kExitUnusable after a wrong argument, whose reason and the usage go to
// err. usage is the verb's documented usage (lines ending in a line break): --help shows it,
// then the options as the verb describes them.
std::optional<int> ParseVerbArguments(CLI::App& verb, const std::string& usage,
                                      std::vector<std::string> args, std::ostream& out,
                                      std::ostream& err);
