#include "partref/part_data_merge.h"

Vx::ErrorStatus MergePartData(VxDbObjectId id, const std::u16string& key,
                              const VxmStringMap& fetched,
                              const std::vector<std::u16string>& unanswered) {
    VxmBOMManager* manager = getVxmBomMgr();
    VxmStringMap merged;
    const Vx::ErrorStatus read = manager->getPartData(id, merged);
    if (read != Vx::eOk && read != Vx::eKeyNotFound) {
        return read;
    }
    if (read == Vx::eKeyNotFound) {
        merged.clear();
    }
    const auto storedKey = merged.find(u"ORBKEY");
    if (storedKey == merged.end() || storedKey->second != key) {
        for (const std::u16string& name : unanswered) {
            merged.erase(name);
        }
    }
    for (const auto& [name, value] : fetched) {
        merged[name] = value;
    }
    merged[u"ORBKEY"] = key;
    return manager->setPartData(id, merged);
}
