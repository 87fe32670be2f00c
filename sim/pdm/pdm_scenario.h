// Reading the "pdm" object of a scenario into the stand-in PDM.
//
//   { "env": {NAME: TEXT}, "catalogue": {KEY: TEXT}, "settings": {NAME: TEXT},
//     "hasPart": TEXT, "tables": {TABLE: [{FIELD: TEXT}]}, "selectItem": [ORBKEY],
//     "refuse": {COMMAND: REFUSAL | [REFUSAL]} }  with REFUSAL = CODE | {"nth": N, "code": CODE}
//
// Every member is optional. "env" belongs to the host's current document, so the host's
// documents must exist first. The PDM is not reset: callers reset it before a run, and a
// later call changes only what it names (tables are replaced by name, refusals added).
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "host/vx_export.h"

namespace sim::pdm {

// path: the JSON pointer of the object, used in errors. Throws sim::ScenarioError with the
// pointer of the first malformed place (unknown members included) before changing anything.
VX_PDM_API void configure(const nlohmann::json& pdm, const std::string& path);
// The same checks without changing anything.
VX_PDM_API void check(const nlohmann::json& pdm, const std::string& path);

}  // namespace sim::pdm
