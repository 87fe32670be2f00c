// How every verb that takes a scenario loads it, and with it the module: one place for what
// a failure says and which exit code it gives.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

#include "app/common/scenario.h"

// Reads the scenario file and runs body on it. A scenario that cannot be read or breaks the
// schema is reported on err with the file and the JSON place, exit code 2; a module that does
// not load (any other failure the body throws) with its reason, exit code 3. Otherwise the
// body's exit code. The body may release what it has taken from the scenario.
int WithScenario(const std::filesystem::path& file, std::ostream& err,
                 const std::function<int(Scenario&)>& body);
