#include "sim/host/faults.h"

#include <vector>

namespace sim {
namespace {

struct Fault {
    std::string operation;
    int nth;
    int status;
    int seen = 0;
};

struct FaultState {
    std::vector<Fault> faults;
    std::map<std::string, int> counts;
};

FaultState& state() {
    static FaultState s;
    return s;
}

}  // namespace

int checkpoint(const char* operation) {
    FaultState& s = state();
    ++s.counts[operation];
    for (Fault& f : s.faults) {
        if (f.operation == "*" || f.operation == operation) {
            if (++f.seen == f.nth) {
                return f.status;
            }
        }
    }
    return 0;
}

void armFault(const std::string& operation, int nth, int status) {
    state().faults.push_back(Fault{operation, nth, status});
}

void clearFaults() {
    state().faults.clear();
    state().counts.clear();
}

const std::map<std::string, int>& checkpointCounts() {
    return state().counts;
}

}  // namespace sim
