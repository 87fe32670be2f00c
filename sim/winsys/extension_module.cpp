// Module instances and the window framework's extension modules.
#include <algorithm>

#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/winsys/resource_chain.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

std::vector<winsys::Hinstance>& chain() {
    static std::vector<winsys::Hinstance> modules;
    return modules;
}

}  // namespace

namespace winsys {

Hinstance moduleHandleFromAddress(const void* address) {
#if defined(_WIN32)
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        static_cast<LPCWSTR>(address), &module);
    return reinterpret_cast<Hinstance>(module);
#else
    Dl_info info{};
    return dladdr(address, &info) != 0 ? info.dli_fbase : nullptr;
#endif
}

bool initExtensionModule(ExtensionModuleBlock& block, Hinstance module) {
    if (module == nullptr || sim::checkpoint("initExtensionModule") != 0) {
        return false;
    }
    block.module = module;
    block.resources = module;
    block.initialized = true;
    chain().insert(chain().begin(), module);
    return true;
}

void termExtensionModule(ExtensionModuleBlock& block) {
    if (!block.initialized) {
        return;
    }
    auto& modules = chain();
    modules.erase(std::remove(modules.begin(), modules.end(), block.module), modules.end());
    block.initialized = false;
}

Hinstance currentResourceHandle() {
    const std::vector<void*> pushed = sim::resourceHandleStack();
    return pushed.empty() ? sim::hostResourceHandle() : pushed.back();
}

}  // namespace winsys

namespace sim {

std::vector<winsys::Hinstance> resourceChain() {
    return chain();
}

winsys::Hinstance hostResourceHandle() {
    static const char anchor = 0;
    return winsys::moduleHandleFromAddress(&anchor);
}

}  // namespace sim
