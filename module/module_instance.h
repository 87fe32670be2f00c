// The module's own instance handle and its extension-module record.
#pragma once

#include "host/winsys.h"

winsys::Hinstance ModuleInstance();

// The window framework's record of this module: its resources join the process's resource
// chain while it is attached.
struct ExtensionModuleRecord {
    int attached = 0;
    winsys::Hinstance previousResources = nullptr;  // current when the module was attached
    winsys::Hinstance ownResources = nullptr;
    winsys::ExtensionModuleBlock block;
};

ExtensionModuleRecord& ExtensionModule();
