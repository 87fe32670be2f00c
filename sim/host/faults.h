// Fault injection for the stand-in platform.
//
// Every fallible host, mechanical-layer and PDM-client operation passes checkpoint() with
// its name before doing its work; when an armed fault matches, the operation fails with
// the fault's status instead. A fault names an operation (or "*" for any) and the n-th call
// (1-based, counted from when it was armed). Calls are counted per name, so a fault sweep
// can first count the calls of a run and then fail each one in turn. Each armed fault counts
// on its own: one firing does not hide the call from the others.
//
// vexa-sim's own work on the drawing (loading, saving, checks) runs under a
// FaultsSuspended guard: its calls are neither counted nor failed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/vx_export.h"

namespace sim {

// 0 (go on) or the status the operation must fail with.
VX_HOST_API int checkpoint(const char* operation);

VX_HOST_API void armFault(const std::string& operation, int nth, int status);
VX_HOST_API void clearFaults();
// Calls counted per operation name since the last clearFaults().
VX_HOST_API const std::map<std::string, int>& checkpointCounts();

// Every name that passes checkpoint(); a new checkpoint adds its name here (the fault sweep
// checks that every counted name is listed).
VX_HOST_API const std::vector<std::string>& faultOperations();
VX_HOST_API bool isFaultOperation(const std::string& operation);

struct UnfiredFault {
    std::string operation;
    int nth;
    int seen;  // matching calls since it was armed
};
// Armed faults whose call has not come.
VX_HOST_API std::vector<UnfiredFault> unfiredFaults();

class VX_HOST_API FaultsSuspended {
  public:
    FaultsSuspended();
    ~FaultsSuspended();
    FaultsSuspended(const FaultsSuspended&) = delete;
    FaultsSuspended& operator=(const FaultsSuspended&) = delete;
};

}  // namespace sim
