// What each of the module's commands does, as `help` and `help COMMAND` in the shell show it
// and docs/commands.md gives it: one line each for the list, and a summary with the prompts
// in order, the mapping sections and PDM data read, what is written and the catalogue texts
// shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// One line; nullopt for a name that is not one of the module's commands.
std::optional<std::string> CommandLine(std::string_view command);
// The whole summary, lines ending in a line break; nullopt as above. Letter case is ignored,
// as the host's command line ignores it.
std::optional<std::string> CommandSummary(std::string_view command);
