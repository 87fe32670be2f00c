#include "sim/host/faults.h"

#include <algorithm>

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
    int suspended = 0;
};

FaultState& state() {
    static FaultState s;
    return s;
}

}  // namespace

int checkpoint(const char* operation) {
    FaultState& s = state();
    if (s.suspended > 0) {
        return 0;
    }
    ++s.counts[operation];
    int status = 0;
    for (Fault& f : s.faults) {
        if (f.operation == "*" || f.operation == operation) {
            if (++f.seen == f.nth && status == 0) {
                status = f.status;
            }
        }
    }
    return status;
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

const std::vector<std::string>& faultOperations() {
    static const std::vector<std::string> names = {
        "addCommand",
        "addPartRefsToBom",
        "appendColumn",
        "appendVxDbEntity",
        "close",
        "closeFile",
        "createBom",
        "erase",
        "findBom",
        "getAt",
        "getBom",
        "getCurrentStandard",
        "getCurrentSymbolStd",
        "getEntityId",
        "getPartData",
        "getPartRefPaths",
        "getRowState",
        "getSymbolTable",
        "initExtensionModule",
        "messageBox",
        "newIterator",
        "newRowCursor",
        "openFile",
        "orbdCall",
        "orbdGetEnv",
        "orbdGetText",
        "orbdPrep",
        "orbdPrepWithModalDialog",
        "orbdSetEnv",
        "pathName",
        "readFile",
        "readRow",
        "removeCmd",
        "runModalDialog",
        "sendStringToExecute",
        "setDatabaseDefaults",
        "setForegroundWindow",
        "setPartData",
        "setRowState",
        "transformBy",
        "vxdbEntLast",
        "vxdbGetObjectId",
        "vxdbOpenVxDbObject",
        "vxdbUcs2Wcs",
        "vxedGetPoint",
        "vxedGetString",
        "vxedGetStringB",
        "vxedInvoke",
        "vxedVmxLoaded",
        "writeFile",
        "writeRow",
    };
    return names;
}

bool isFaultOperation(const std::string& operation) {
    const std::vector<std::string>& names = faultOperations();
    return operation == "*" || std::find(names.begin(), names.end(), operation) != names.end();
}

std::vector<UnfiredFault> unfiredFaults() {
    std::vector<UnfiredFault> unfired;
    for (const Fault& f : state().faults) {
        if (f.seen < f.nth) {
            unfired.push_back(UnfiredFault{f.operation, f.nth, f.seen});
        }
    }
    return unfired;
}

FaultsSuspended::FaultsSuspended() {
    ++state().suspended;
}

FaultsSuspended::~FaultsSuspended() {
    --state().suspended;
}

}  // namespace sim
