#include "host/vx_db.h"
#include "sim/host/database.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/host/object_ledger.h"

Vx::ErrorStatus vxdbOpenVxDbObject(VxDbObject*& object, VxDbObjectId id, VxDb::OpenMode mode,
                                   const VxRxClass* required, bool openErased) {
    object = nullptr;
    if (const int status = sim::checkpoint("vxdbOpenVxDbObject")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    return sim::openObjectById(object, id, mode, required, openErased);
}

int vxdbEntLast(vx_name name) {
    if (sim::checkpoint("vxdbEntLast") != 0 || name == nullptr) {
        return kRtError;
    }
    const VxDbObject* last = sim::workingDatabase().lastLiveSpaceEntity();
    if (last == nullptr) {
        return kRtError;
    }
    name[0] = static_cast<std::int64_t>(last->objectId().asInt64());
    name[1] = 0;
    return kRtNorm;
}

Vx::ErrorStatus vxdbGetObjectId(VxDbObjectId& id, const vx_name name) {
    id = VxDbObjectId::kNull;
    if (const int status = sim::checkpoint("vxdbGetObjectId")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (name == nullptr || name[0] == 0) {
        return Vx::eNullObjectId;
    }
    const VxDbObjectId named = VxDbObjectId::fromInt64(static_cast<std::uint64_t>(name[0]));
    if (sim::databaseOf(named) == nullptr) {
        return Vx::eUnknownHandle;
    }
    id = named;
    return Vx::eOk;
}

// from and to may be the same array: callers convert in place.
int vxdbUcs2Wcs(const double from[3], double to[3], bool isDisplacement) {
    if (sim::checkpoint("vxdbUcs2Wcs") != 0 || from == nullptr || to == nullptr) {
        return kRtError;
    }
    const VxGePoint3d world = sim::workingDatabase().header().ucs.toWorld(
        VxGePoint3d{from[0], from[1], from[2]}, isDisplacement);
    to[0] = world.x;
    to[1] = world.y;
    to[2] = world.z;
    return kRtNorm;
}
