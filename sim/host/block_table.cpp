#include "host/vx_db.h"
#include "sim/host/database.h"
#include "sim/host/faults.h"
#include "sim/host/host_internals.h"
#include "sim/host/names.h"
#include "sim/host/object_ledger.h"
#include "sim/host/rx_define.h"

SIM_RX_DEFINE_CLASS(VxDbBlockTableRecord, VxDbObject)
SIM_RX_DEFINE_CLASS(VxDbBlockTable, VxDbObject)

namespace {

// Walks a record's id list by position, so that entities appended during the walk are
// reached too. The record must stay open while the iterator lives.
class BlockIterator final : public VxDbBlockTableRecordIterator {
  public:
    BlockIterator(const VxDbBlockTableRecord& record, bool atBeginning, bool skipDeleted)
        : record_(record),
          members_(
              static_cast<const sim::Database*>(record.database())->membersOf(record.objectId())) {
        const int count = VxHostInternals::entities(record_).length();
        position_ = atBeginning ? 0 : count - 1;
        if (skipDeleted) {
            settle(atBeginning);
        }
    }

    bool done() const override {
        return position_ < 0 || position_ >= VxHostInternals::entities(record_).length();
    }

    Vx::ErrorStatus getEntityId(VxDbObjectId& id) const override {
        if (const int status = sim::checkpoint("getEntityId")) {
            return static_cast<Vx::ErrorStatus>(status);
        }
        if (done()) {
            return Vx::eInvalidIndex;
        }
        id = VxHostInternals::entities(record_)[position_];
        return Vx::eOk;
    }

    void step(bool forward, bool skipDeleted) override {
        if (done()) {
            return;
        }
        position_ += forward ? 1 : -1;
        if (skipDeleted) {
            settle(forward);
        }
    }

  private:
    bool erasedAt(int position) const {
        return members_[static_cast<std::size_t>(position)]->isErased();
    }

    void settle(bool forward) {
        while (!done() && erasedAt(position_)) {
            position_ += forward ? 1 : -1;
        }
    }

    const VxDbBlockTableRecord& record_;
    const std::vector<VxDbObject*>& members_;  // parallel to the record's id list
    int position_ = 0;
};

}  // namespace

VxDbBlockTableRecordIterator::~VxDbBlockTableRecordIterator() = default;

const VxString& VxDbBlockTableRecord::name() const {
    return name_;
}

Vx::ErrorStatus VxDbBlockTableRecord::newIterator(VxDbBlockTableRecordIterator*& iterator,
                                                  bool atBeginning, bool skipDeleted) const {
    iterator = nullptr;
    if (const int status = sim::checkpoint("newIterator")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (!isReadEnabled()) {
        return Vx::eInvalidOpenState;
    }
    iterator = new BlockIterator(*this, atBeginning, skipDeleted);
    return Vx::eOk;
}

Vx::ErrorStatus VxDbBlockTableRecord::appendVxDbEntity(VxDbObjectId& id, VxDbEntity* entity) {
    id = VxDbObjectId::kNull;
    if (const int status = sim::checkpoint("appendVxDbEntity")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (entity == nullptr) {
        return Vx::eInvalidInput;
    }
    if (database() == nullptr || objectId().isNull()) {
        return Vx::eNotInDatabase;
    }
    if (!isWriteEnabled()) {
        return Vx::eNotOpenForWrite;
    }
    if (!entity->objectId().isNull()) {
        return Vx::eAlreadyInDb;
    }
    // The host leaves the new entity open for write; its creator closes it.
    sim::openForWriteAfterAppend(*entity);
    id = static_cast<sim::Database*>(database())->appendEntity(objectId(), entity);
    return Vx::eOk;
}

bool VxDbBlockTableRecord::isFromExternalReference() const {
    return !xrefPath_.isEmpty();
}

Vx::ErrorStatus VxDbBlockTableRecord::pathName(VxString& path) const {
    if (const int status = sim::checkpoint("pathName")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    path = xrefPath_;
    return Vx::eOk;
}

namespace {

// The record id of that name; symbol-table names match without regard to case.
VxDbObjectId recordNamed(const VxDbBlockTable& table, const char16_t* name) {
    if (name == nullptr) {
        return VxDbObjectId::kNull;
    }
    return static_cast<const sim::Database*>(table.database())->blockNamed(name);
}

}  // namespace

Vx::ErrorStatus VxDbBlockTable::getAt(const char16_t* name, VxDbBlockTableRecord*& record,
                                      VxDb::OpenMode mode, bool openErased) const {
    record = nullptr;
    if (const int status = sim::checkpoint("getAt")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (!isReadEnabled() || database() == nullptr) {
        return Vx::eInvalidOpenState;
    }
    const VxDbObjectId id = recordNamed(*this, name);
    if (id.isNull()) {
        return Vx::eKeyNotFound;
    }
    VxDbObject* opened = nullptr;
    const Vx::ErrorStatus status =
        sim::openObjectById(opened, id, mode, VxDbBlockTableRecord::desc(), openErased);
    record = static_cast<VxDbBlockTableRecord*>(opened);
    return status;
}

Vx::ErrorStatus VxDbBlockTable::getAt(const char16_t* name, VxDbObjectId& id,
                                      bool getErased) const {
    id = VxDbObjectId::kNull;
    if (const int status = sim::checkpoint("getAt")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    if (!isReadEnabled() || database() == nullptr) {
        return Vx::eInvalidOpenState;
    }
    const VxDbObjectId found = recordNamed(*this, name);
    if (found.isNull()) {
        return Vx::eKeyNotFound;
    }
    const VxDbObject* record = static_cast<const sim::Database*>(database())->lookup(found);
    if (record->isErased() && !getErased) {
        return Vx::eWasErased;
    }
    id = found;
    return Vx::eOk;
}
