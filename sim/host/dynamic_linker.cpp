#include "sim/host/dynamic_linker.h"

#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxRxDynamicLinker, VxRxObject)

namespace sim {

bool DynamicLinker::unlockApplication(void* appId) const {
    if (appId == nullptr) {
        return false;
    }
    unlocked.push_back(appId);
    return true;
}

bool DynamicLinker::registerAppMDIAware(void* appId) const {
    if (appId == nullptr) {
        return false;
    }
    mdiAware.push_back(appId);
    return true;
}

DynamicLinker& dynamicLinker() {
    static DynamicLinker* const linker = new DynamicLinker();  // lives until process exit
    return *linker;
}

}  // namespace sim
