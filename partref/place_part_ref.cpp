#include "partref/place_part_ref.h"

#include <new>

#include "base/host_status_error.h"
#include "base/model_space.h"
#include "host/vx_editor.h"
#include "host/vx_status.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"

std::optional<VxGePoint3d> AskPartRefPoint() {
    vxutPrintf(u"\n");
    double picked[3] = {0, 0, 0};
    if (vxedGetPoint(nullptr, PdmLink::Instance().GetText(kTextPickPoint), picked) != kRtNorm) {
        return std::nullopt;
    }
    double world[3] = {0, 0, 0};
    if (const int status = vxdbUcs2Wcs(picked, world, false); status != kRtNorm) {
        throw HostStatusError(vexaErrorStatusText(status));
    }
    return VxGePoint3d{world[0], world[1], world[2]};
}

void BuildPartRef(SmartPtr<VxmPartRef>& entity, VxDbObjectId dataEntry, const VxGePoint3d& point) {
    try {
        entity.slot() = dataEntry.isNull() ? new VxmPartRef() : new VxmPartRef(dataEntry);
    } catch (const std::bad_alloc&) {
        entity.slot() = nullptr;
    }
    if (!entity) {
        throw HostStatusError(u"Can't create VxmPartRefEntity");
    }
    ThrowIfHostFailed(entity->setDatabaseDefaults(nullptr));
    VxGeMatrix3d move;
    move.setToTranslation(VxGeVector3d{point.x, point.y, point.z});
    ThrowIfHostFailed(entity->transformBy(move));
}

VxDbObjectId AppendPartRef(VxDbBlockTableRecord& modelSpace, SmartPtr<VxmPartRef>& entity) {
    VxDbObjectId id;
    ThrowIfHostFailed(modelSpace.appendVxDbEntity(id, entity.get()));
    // The database owns it now; this holder only had it open.
    VxmPartRef* appended = entity.slot();
    entity.slot() = nullptr;
    appended->close();
    return id;
}

std::optional<VxDbObjectId> PlacePartRef(const DataEntryChoice& dataEntryFor) {
    const std::optional<VxGePoint3d> point = AskPartRefPoint();
    if (!point) {
        return std::nullopt;
    }
    ModelSpace space;
    OpenModelSpace(VxDb::kForWrite, space);
    const VxDbObjectId dataEntry = dataEntryFor(*space.record);
    SmartPtr<VxmPartRef> entity;
    BuildPartRef(entity, dataEntry, *point);
    return AppendPartRef(*space.record, entity);
}
