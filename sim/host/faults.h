// Fault injection for the stand-in platform.
//
// Every fallible host, mechanical-layer and PDM-client operation passes checkpoint() with
// its name before doing its work; when an armed fault matches, the operation fails with
// the fault's status instead. A fault names an operation (or "*" for any) and the n-th call
// (1-based, counted from when it was armed). Calls are counted per name, so a fault sweep
// can first count the calls of a run and then fail each one in turn.
#pragma once

#include <map>
#include <string>

#include "host/vx_export.h"

namespace sim {

// 0 (go on) or the status the operation must fail with.
VX_HOST_API int checkpoint(const char* operation);

VX_HOST_API void armFault(const std::string& operation, int nth, int status);
VX_HOST_API void clearFaults();
// Calls counted per operation name since the last clearFaults().
VX_HOST_API const std::map<std::string, int>& checkpointCounts();

}  // namespace sim
