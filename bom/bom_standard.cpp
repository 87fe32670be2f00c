#include "bom/bom_standard.h"

#include "base/smart_ptr.h"

Vx::ErrorStatus CurrentBomStandardId(VxDbObjectId& bomStdId) {
    VxDbObjectId standardId;
    Vx::ErrorStatus status = getVxmStdMgr()->getCurrentStandard(standardId);
    if (status != Vx::eOk) {
        return status;
    }
    SmartPtr<VxmStandard> standard;
    status = vxdbOpenVxDbObject(standard.slot(), standardId, VxDb::kForRead);
    if (status != Vx::eOk) {
        return status;
    }
    // A standard without a parts-list standard leaves the id null; opening it then fails.
    standard->getCurrentSymbolStd(bomStdId, u"VxmBOMStd");
    return Vx::eOk;
}

namespace {

std::vector<std::u16string> BomColumns(bool visibleOnly) {
    std::vector<std::u16string> names;
    VxDbObjectId bomStdId;
    if (CurrentBomStandardId(bomStdId) != Vx::eOk) {
        return names;
    }
    SmartPtr<VxmBOMStd> bomStd;
    if (vxdbOpenVxDbObject(bomStd.slot(), bomStdId, VxDb::kForRead) != Vx::eOk) {
        return names;
    }
    const int count = bomStd->columnLength();
    for (int i = 0; i < count; ++i) {
        const VxmCColumnDef* column = bomStd->column(i);
        if (column != nullptr && (!visibleOnly || column->isVisible())) {
            const char16_t* name = column->columnName();
            names.emplace_back(name != nullptr ? name : u"");
        }
    }
    return names;
}

}  // namespace

std::vector<std::u16string> VisibleBomColumns() {
    return BomColumns(true);
}

std::vector<std::u16string> AllBomColumns() {
    return BomColumns(false);
}
