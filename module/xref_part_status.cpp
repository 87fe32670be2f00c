#include "module/xref_part_status.h"

#include "base/smart_ptr.h"
#include "host/vx_db.h"
#include "host/vxm_bom.h"

namespace {
constexpr int kNoExternalPart = 21;
}

int xrefPartStatus(BomContext& /*context*/, VxDbObjectId entityId) {
    SmartPtr<VxDbBlockReference> reference;
    if (vxdbOpenVxDbObject(reference.slot(), entityId, VxDb::kForRead) != Vx::eOk) {
        return kNoExternalPart;
    }
    SmartPtr<VxDbBlockTableRecord> block;
    if (vxdbOpenVxDbObject(block.slot(), reference->blockTableRecord(), VxDb::kForRead) !=
        Vx::eOk) {
        return kNoExternalPart;
    }
    if (!block->isFromExternalReference()) {
        return kNoExternalPart;
    }
    VxmBOMManager* manager = getVxmBomMgr();
    if (manager == nullptr) {
        return kNoExternalPart;
    }
    VxmStringMap partData;
    return manager->getPartData(entityId, partData);
}
