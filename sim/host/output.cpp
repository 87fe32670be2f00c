// The host's command-line output, alert box, display regeneration and UI library set-up.
#include "host/vx_editor.h"
#include "host/winsys.h"
#include "sim/host/events.h"
#include "sim/host/host_control.h"

namespace {
int uiInitCount = 0;
}

int vxutPrintfArgs(const char16_t* format, const VxFormatArg* args, std::size_t count) {
    const VxString text = VxString::formatArgs(format, args, count);
    sim::emit(sim::Event{{"ev", "print"}, {"text", text.toUtf8()}});
    return kRtNorm;
}

int vxedAlert(const char16_t* message) {
    sim::emit(sim::Event{{"ev", "alert"}, {"text", VxString(message).toUtf8()}});
    return kRtNorm;
}

int vxs_regen() {
    sim::emit(sim::Event{{"ev", "regen"}});
    return kRtNorm;
}

void InitVxUiDLL() {
    ++uiInitCount;
}

namespace sim {
int uiLibraryInitCount() {
    return uiInitCount;
}
}  // namespace sim
