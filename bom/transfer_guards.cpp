#include "bom/transfer_guards.h"

#include <string>

#include "host/vevu_2d_structure.h"
#include "host/vx_editor.h"
#include "host/vxm_bom.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"

std::int32_t CheckStructureTransfer(BomContext& /*context*/) {
    PdmLink& pdm = PdmLink::Instance();
    const std::u16string allowed = pdm.Evaluate(u"#(Appl:BOMTransferFor2DStructure)");
    const CVevu2DStructureMgr structure;
    if (structure.Is2DStructureEnabled() == 1 && allowed != u"1") {
        vxedAlert(pdm.GetTextByKey(kTextKeyNoTransferFor2DStructure));
        return 1;
    }
    return 0;
}

std::int32_t LocateBom(BomContext& context) {
    VxmBOMManager* manager = getVxmBomMgr();
    Vx::ErrorStatus status = manager->getBom(context.bomId, 0);
    if (context.bomId.isNull()) {
        VxString name;
        status = manager->findBom(context.bomId, name, VxDbObjectId::kNull, 0);
    }
    if (status != Vx::eOk || context.bomId.isNull()) {
        return kBomMissing;
    }
    const std::u16string hasPart = PdmLink::Instance().Evaluate(u"#(HasPart)");
    return !hasPart.empty() && hasPart[0] == u'1' ? kBomFound : kBomNoPdmPart;
}
