#include "module/rejected_input.h"

#include "host/vx_editor.h"
#include "host/vx_status.h"

void ReportRejectedInput(const std::u16string& value) {
    vxutPrintf(u"\n%s %s\n", vexaErrorStatusText(Vx::eInvalidInput), value);
}
