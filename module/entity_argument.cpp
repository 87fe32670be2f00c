#include "module/entity_argument.h"

#include <cstdint>
#include <limits>

#include "base/decimal_number.h"
#include "base/smart_ptr.h"
#include "host/vx_db.h"
#include "host/vx_editor.h"

namespace {

VxDbObjectId LastEntity() {
    vx_name name = {0, 0};
    VxDbObjectId id;
    if (vxdbEntLast(name) != kRtNorm || vxdbGetObjectId(id, name) != Vx::eOk) {
        return VxDbObjectId::kNull;
    }
    return id;
}

VxDbObjectId FromDecimal(std::u16string_view text) {
    if (!IsDecimalNumber(text)) {
        return VxDbObjectId::kNull;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        const auto digit = static_cast<std::uint64_t>(c - u'0');
        if (value > (kMax - digit) / 10) {
            return VxDbObjectId::kNull;
        }
        value = value * 10 + digit;
    }
    return VxDbObjectId::fromInt64(value);
}

}  // namespace

VxDbObjectId ResolveEntityArgument(std::u16string_view argument) {
    if (argument == kLastEntityArgument) {
        return LastEntity();
    }
    return FromDecimal(argument);  // kNoEntityArgument gives the null id
}

VxDbObjectId BlockReferenceOfWorkingDatabase(VxDbObjectId id) {
    if (id.isNull()) {
        return id;
    }
    SmartPtr<VxDbBlockReference> reference;
    if (vxdbOpenVxDbObject(reference.slot(), id, VxDb::kForRead) != Vx::eOk) {
        return VxDbObjectId::kNull;
    }
    VxDbHostApplicationServices* services = vxdbHostApplicationServices();
    const VxDbDatabase* working = services != nullptr ? services->workingDatabase() : nullptr;
    return reference->database() == working ? id : VxDbObjectId::kNull;
}
