#include "partref/part_data_merge.h"

Vx::ErrorStatus MergePartData(VxDbObjectId id, const VxmStringMap& fetched) {
    VxmBOMManager* manager = getVxmBomMgr();
    VxmStringMap merged;
    const Vx::ErrorStatus read = manager->getPartData(id, merged);
    if (read != Vx::eOk && read != Vx::eKeyNotFound) {
        return read;
    }
    if (read == Vx::eKeyNotFound) {
        merged.clear();
    }
    for (const auto& [name, value] : fetched) {
        merged[name] = value;
    }
    return manager->setPartData(id, merged);
}
