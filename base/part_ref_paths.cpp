#include "base/part_ref_paths.h"

#include "base/host_status_error.h"
#include "base/model_space.h"
#include "base/smart_ptr.h"
#include "host/vxm_bom.h"
#include "host/vxm_partref.h"

Vx::ErrorStatus GetPartRefPaths(VxDbObjectId rowId, PartRefPaths& paths) {
    VxDbObjectIdArray second(0, 8);
    return getVxmBomMgr()->getPartRefPaths(rowId, paths, second);
}

VxDbObjectId FirstPathHead(const PartRefPaths& paths) {
    if (paths.length() < 1) {
        return VxDbObjectId::kNull;
    }
    const PartRefPath* first = paths[0];
    if (first == nullptr || first->length() < 1) {
        return VxDbObjectId::kNull;
    }
    return (*first)[0];
}

VxDbObjectId FirstPartRefDataEntry(VxDbObjectId rowId, const VxDbBlockTableRecord& modelSpace) {
    PartRefPaths paths(8);
    ThrowIfHostFailed(GetPartRefPaths(rowId, paths));
    const VxDbObjectId target = FirstPathHead(paths);
    if (target.isNull()) {
        return VxDbObjectId::kNull;
    }
    VxDbObjectId dataEntry;
    WalkEntities(modelSpace, [&](VxDbObjectId id) {
        if (id != target) {
            return true;
        }
        SmartPtr<VxmPartRef> partRef;
        if (vxdbOpenVxDbObject(partRef.slot(), id, VxDb::kForRead) != Vx::eOk) {
            return true;
        }
        dataEntry = partRef->dataEntryId();
        return false;
    });
    return dataEntry;
}
