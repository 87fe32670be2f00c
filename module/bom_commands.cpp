#include "module/bom_commands.h"

#include "bom/export_bom.h"
#include "bom/transfer_bom.h"
#include "bom/transfer_guards.h"
#include "host/vx_editor.h"
#include "module/command_barrier.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"

std::optional<std::int32_t> RunBomPreChecks(BomContext& context) {
    if (CheckStructureTransfer(context) != 0) {
        return std::nullopt;
    }
    const std::int32_t located = LocateBom(context);
    if (located == kBomMissing) {
        vxedAlert(PdmLink::Instance().GetText(kTextNoPartsList));
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
        if (*located == kBomNoPdmPart) {
            vxedAlert(PdmLink::Instance().GetText(kTextNoPdmPart));
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
