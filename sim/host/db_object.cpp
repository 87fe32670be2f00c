#include <cstdlib>
#include <new>

#include "host/vx_db.h"
#include "sim/host/database.h"
#include "sim/host/faults.h"
#include "sim/host/object_ledger.h"
#include "sim/host/rx_define.h"

void* VxHeapOperators::operator new(std::size_t size) {
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void VxHeapOperators::operator delete(void* p) {
    std::free(p);
}

SIM_RX_DEFINE_CLASS(VxDbObject, VxRxObject)

VxDbObject::VxDbObject() = default;

// An object deleted while still open (a bug of its owner) must not stay in the ledger as a
// dangling pointer.
VxDbObject::~VxDbObject() {
    sim::forgetObject(this);
}

VxDbObjectId VxDbObject::objectId() const {
    return id_;
}

VxDbDatabase* VxDbObject::database() const {
    return database_;
}

bool VxDbObject::isErased() const {
    return erased_;
}

bool VxDbObject::isReadEnabled() const {
    return readers_ > 0 || writer_ || id_.isNull();
}

// A new object that is in no database yet belongs to its creator, who may change it freely.
bool VxDbObject::isWriteEnabled() const {
    return writer_ || id_.isNull();
}

// An injected close fault reports its status, but the open still ends: a host that fails to
// file a change does not keep the object locked, and the caller has no way to retry.
Vx::ErrorStatus VxDbObject::close() {
    const int injected = sim::checkpoint("close");
    const Vx::ErrorStatus status = sim::closeResident(*this);
    if (injected != 0 && status == Vx::eOk) {
        return static_cast<Vx::ErrorStatus>(injected);
    }
    return status;
}

Vx::ErrorStatus VxDbObject::erase(bool erasing) {
    if (const int status = sim::checkpoint("erase")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (id_.isNull() || database_ == nullptr) {
        return Vx::eNotInDatabase;
    }
    if (!writer_) {
        return Vx::eNotOpenForWrite;
    }
    if (erased_ == erasing) {
        return Vx::eOk;
    }
    erased_ = erasing;
    static_cast<sim::Database*>(database_)->notify([this, erasing](VxDbDatabaseReactor& reactor) {
        reactor.onObjectErased(database_, this, erasing);
    });
    return Vx::eOk;
}
