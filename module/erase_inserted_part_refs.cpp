#include "module/erase_inserted_part_refs.h"

#include "base/smart_ptr.h"
#include "host/vx_db.h"
#include "host/vxm_partref.h"

namespace {
constexpr int kNoList = 15;
}

int eraseInsertedPartRefs(BomContext& /*context*/, const VxDbObjectIdArray* ids) {
    if (ids == nullptr) {
        return kNoList;
    }
    for (const VxDbObjectId id : *ids) {
        SmartPtr<VxmPartRef> partRef;
        if (vxdbOpenVxDbObject(partRef.slot(), id, VxDb::kForWrite) == Vx::eOk) {
            partRef->erase();
        }
    }
    return 0;
}
