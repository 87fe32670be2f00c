// The two host services of PdmLink: the loaded-module test and bringing the host's main
// window back to the foreground after a PDM dialog.
#include <cstdint>
#include <string_view>

#include "host/vx_editor.h"
#include "host/winsys.h"
#include "pdm/pdm_link.h"
#include "pdm/result_list.h"

int PdmLink::IsModuleLoaded(const char16_t* name) {
    if (name == nullptr) {
        return 0;
    }
    const ResultList modules(vxedVmxLoaded());
    for (const VxResBuf* element = modules.get(); element != nullptr; element = element->rbnext) {
        if (element->restype == kRtStr && element->resval.rstring != nullptr &&
            std::u16string_view(element->resval.rstring) == name) {
            return 1;
        }
    }
    return 0;
}

int PdmLink::BringHostToFront() {
    const winsys::Hwnd foreground = winsys::getForegroundWindow();
    const unsigned long foregroundThread = winsys::getWindowThreadProcessId(foreground, nullptr);
    const unsigned long ownThread = winsys::getCurrentThreadId();
    // The window system lets only the input owner change the foreground window, so borrow the
    // foreground thread's input for the switch.
    winsys::attachThreadInput(ownThread, foregroundThread, true);
    const bool raised = winsys::setForegroundWindow(vxsw_vexaMainWnd());
    if (!raised) {
        char16_t message[64];
        winsys::formatUnsigned(message, std::size(message), u"Error %u from BringVexaToTop\n",
                               winsys::getLastError());
        winsys::outputDebugString(message);
    }
    winsys::attachThreadInput(ownThread, foregroundThread, false);
    return raised ? 1 : 0;
}
