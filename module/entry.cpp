// The module's two exported functions.
#include "host/vx_app.h"
#include "host/vx_export.h"
#include "host/vx_rx.h"
#include "module/orbdvmbom16_app.h"

extern "C" VX_MODULE_EXPORT int vxrxEntryPoint(int messageCode, void* packet) {
    return VxRxDispatchMessage(TheApp(), messageCode, packet);
}

extern "C" VX_MODULE_EXPORT int vxrxGetApiVersion(int /*unused*/) {
    return kVxApiVersion;
}
