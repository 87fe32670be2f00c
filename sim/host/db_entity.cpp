#include "host/vx_db.h"
#include "sim/host/database.h"
#include "sim/host/faults.h"
#include "sim/host/host_internals.h"
#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxDbEntity, VxDbObject)
SIM_RX_DEFINE_CLASS(VxDbLine, VxDbEntity)
SIM_RX_DEFINE_CLASS(VxDbBlockReference, VxDbEntity)

Vx::ErrorStatus VxDbEntity::setDatabaseDefaults(VxDbDatabase* database) {
    if (const int status = sim::checkpoint("setDatabaseDefaults")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (database == nullptr) {
        VxDbHostApplicationServices* services = vxdbHostApplicationServices();
        database = services != nullptr ? services->workingDatabase() : nullptr;
    }
    const auto* simDatabase = dynamic_cast<const sim::Database*>(database);
    if (simDatabase == nullptr) {
        return Vx::eNoDatabase;
    }
    if (!isWriteEnabled()) {
        return Vx::eNotOpenForWrite;
    }
    VxHostInternals::setProperties(*this, simDatabase->header().entityDefaults);
    defaultsSet_ = true;
    return Vx::eOk;
}

Vx::ErrorStatus VxDbEntity::transformBy(const VxGeMatrix3d& transform) {
    if (const int status = sim::checkpoint("transformBy")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (!isWriteEnabled()) {
        return Vx::eNotOpenForWrite;
    }
    position_ = transform.apply(position_);
    return Vx::eOk;
}

VxGePoint3d VxDbEntity::position() const {
    return position_;
}

const VxString& VxDbEntity::layer() const {
    return layer_;
}

int VxDbEntity::colorIndex() const {
    return colorIndex_;
}

const VxString& VxDbEntity::linetype() const {
    return linetype_;
}

VxDbBlockReference::VxDbBlockReference(const VxGePoint3d& position, VxDbObjectId blockTableRecord)
    : block_(blockTableRecord) {
    VxHostInternals::setPosition(*this, position);
}

VxDbObjectId VxDbBlockReference::blockTableRecord() const {
    return block_;
}
