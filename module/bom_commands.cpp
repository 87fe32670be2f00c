#include "module/bom_commands.h"

#include <new>

#include "bom/export_bom.h"
#include "bom/transfer_bom.h"
#include "bom/transfer_guards.h"
#include "host/vx_editor.h"
#include "partref/host_status_error.h"
#include "pdm/pdm_link.h"

namespace {

// Runs a command's work so that nothing escapes into the host. An operation catches its
// own failures; what still arrives here is reported on the command line if it can be.
template <class Work>
void RunAsBarrier(Work work) noexcept {
    try {
        work();
    } catch (const HostStatusError& failure) {
        try {
            vxutPrintf(u"\n%s\n", failure.text());
        } catch (...) {  // NOLINT: the barrier must hold even when reporting fails
        }
    } catch (const std::bad_alloc&) {
        try {
            vxutPrintf(u"\n%s\n", vexaErrorStatusText(Vx::eOutOfMemory));
        } catch (...) {  // NOLINT: as above
        }
    } catch (...) {  // NOLINT: no exception may cross into the host
    }
}

}  // namespace

std::optional<std::int32_t> RunBomPreChecks(BomContext& context) {
    if (CheckStructureTransfer(context) != 0) {
        return std::nullopt;
    }
    const std::int32_t located = LocateBom(context);
    if (located == -1) {
        vxedAlert(PdmLink::Instance().GetText(42));
        return std::nullopt;
    }
    return located;
}

void OnOrbdBom() {
    RunAsBarrier([] {
        BomContext context{};
        const std::optional<std::int32_t> located = RunBomPreChecks(context);
        if (!located) {
            return;
        }
        if (*located == -2) {
            vxedAlert(PdmLink::Instance().GetText(49));
            return;
        }
        TransferBom(context);
    });
}

void OnOrbdBomExport() {
    RunAsBarrier([] {
        BomContext context{};
        if (RunBomPreChecks(context)) {
            ExportBom(context);
        }
    });
}
