#include "module/module_instance.h"

winsys::Hinstance ModuleInstance() {
    static const char anchor = 0;
    return winsys::moduleHandleFromAddress(&anchor);
}

ExtensionModuleRecord& ExtensionModule() {
    static ExtensionModuleRecord record;
    return record;
}
