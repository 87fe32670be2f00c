#include "bom/external_reference_path.h"

#include "base/part_ref_paths.h"
#include "base/smart_ptr.h"
#include "host/vx_db.h"

std::u16string ExternalReferencePath(VxDbObjectId rowId) {
    VxDbObjectId head;
    {
        PartRefPaths paths(8);
        if (GetPartRefPaths(rowId, paths) != Vx::eOk) {
            return {};
        }
        head = FirstPathHead(paths);
    }
    if (head.isNull()) {
        return {};
    }
    SmartPtr<VxDbBlockReference> reference;
    if (vxdbOpenVxDbObject(reference.slot(), head, VxDb::kForRead) != Vx::eOk) {
        return {};
    }
    SmartPtr<VxDbBlockTableRecord> block;
    if (vxdbOpenVxDbObject(block.slot(), reference->blockTableRecord(), VxDb::kForRead) !=
        Vx::eOk) {
        return {};
    }
    VxString path;
    if (block->pathName(path) != Vx::eOk) {
        return {};
    }
    return path.str();
}
