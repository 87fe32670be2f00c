#include "partref/change_part_ref_key.h"

#include <string_view>

#include "base/host_status_error.h"
#include "base/model_space.h"
#include "base/smart_ptr.h"
#include "host/vx_editor.h"
#include "host/vxm_bom.h"
#include "host/vxm_partref.h"
#include "partref/create_part_ref.h"

namespace {

bool IsPartRef(VxDbObjectId id) {
    SmartPtr<VxmPartRef> partRef;  // closed again at once
    return vxdbOpenVxDbObject(partRef.slot(), id, VxDb::kForRead) == Vx::eOk;
}

bool KeyMatches(std::u16string_view key, std::u16string_view oldKey) {
    return key == oldKey || (oldKey == u"*" && !key.empty());
}

}  // namespace

std::int32_t ChangePartRefKey(BomContext& context, const char16_t* oldKey, const char16_t* newKey) {
    const std::u16string_view old = oldKey != nullptr ? oldKey : u"";
    try {
        ModelSpace space;
        WalkModelSpace(VxDb::kForRead, space, [&](VxDbObjectId id) {
            if (!IsPartRef(id)) {
                return true;
            }
            VxmStringMap data;
            if (getVxmBomMgr()->getPartData(id, data) != Vx::eOk) {
                return true;
            }
            const auto key = data.find(u"ORBKEY");
            if (KeyMatches(key != data.end() ? key->second : std::u16string(), old)) {
                // A failed fetch leaves that part reference as it was; nothing to report.
                AssignPartRefKey(context, id, newKey);
            }
            return true;
        });
    } catch (const HostStatusError& failure) {
        vxutPrintf(u"\n%s", failure.text());
        return -1;
    }
    return 0;
}
