// The stand-in host's dynamic linker ("DynamicLinker"): records which module packets asked
// to be unlockable and multi-document aware. It lives for the whole process.
#pragma once

#include <vector>

#include "host/vx_rx.h"

namespace sim {

class DynamicLinker final : public VxRxDynamicLinker {
  public:
    bool unlockApplication(void* appId) const override;
    bool registerAppMDIAware(void* appId) const override;

    // The packets passed, in call order; a null packet is refused and not recorded.
    mutable std::vector<void*> unlocked;
    mutable std::vector<void*> mdiAware;
};

DynamicLinker& dynamicLinker();

}  // namespace sim
