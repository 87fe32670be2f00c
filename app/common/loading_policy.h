// How every verb that takes a scenario loads it, and with it the module: one place for what
// a failure says and which exit code it gives.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

#include "app/common/exit_codes.h"
#include "app/common/scenario.h"

// Reads the scenario file and runs body on it. A scenario that breaks the schema is reported
// on err with the file and the JSON place, a module that does not load (ModuleLoadError) with
// its reason, exit code 3; any other failure (a file or folder that cannot be read, written
// or used, named in its text) exit code 2. Otherwise the body's exit code. The body may
// release what it has taken from the scenario.
int WithScenario(const std::filesystem::path& file, std::ostream& err,
                 const std::function<int(Scenario&)>& body);
