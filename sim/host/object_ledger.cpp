#include "sim/host/object_ledger.h"

#include <algorithm>

#include "sim/host/database.h"
#include "sim/host/host_internals.h"

namespace sim {
namespace {

struct LedgerState {
    std::uint64_t lastId = 0;
    std::vector<Database*> databases;  // a run has a few
    std::vector<VxDbObject*> open;
};

// Never destroyed: objects of a module that is unloaded late may still close themselves.
LedgerState& state() {
    static auto* const s = new LedgerState();
    return *s;
}

void enterLedger(VxDbObject& object) {
    auto& open = state().open;
    if (std::find(open.begin(), open.end(), &object) == open.end()) {
        open.push_back(&object);
    }
}

}  // namespace

VxDbObjectId nextObjectId() {
    return VxDbObjectId::fromInt64(++state().lastId);
}

void registerDatabase(Database* database) {
    state().databases.push_back(database);
}

void unregisterDatabase(Database* database) {
    auto& databases = state().databases;
    databases.erase(std::remove(databases.begin(), databases.end(), database), databases.end());
}

Database* databaseOf(VxDbObjectId id) {
    for (Database* database : state().databases) {
        if (database->lookup(id) != nullptr) {
            return database;
        }
    }
    return nullptr;
}

Vx::ErrorStatus openResident(VxDbObject& object, VxDb::OpenMode mode) {
    bool& writer = VxHostInternals::writer(object);
    int& readers = VxHostInternals::readers(object);
    if (writer) {
        return Vx::eWasOpenForWrite;
    }
    if (mode == VxDb::kForWrite) {
        if (readers > 0) {
            return Vx::eWasOpenForRead;
        }
        writer = true;
    } else {
        ++readers;  // kForNotify is kept like a read open: it must be closed as well
    }
    enterLedger(object);
    return Vx::eOk;
}

Vx::ErrorStatus openObjectById(VxDbObject*& object, VxDbObjectId id, VxDb::OpenMode mode,
                               const VxRxClass* required, bool openErased) {
    object = nullptr;
    if (id.isNull()) {
        return Vx::eNullObjectId;
    }
    Database* database = databaseOf(id);
    VxDbObject* found = database != nullptr ? database->lookup(id) : nullptr;
    if (found == nullptr) {
        return Vx::eUnknownHandle;
    }
    if (found->isErased() && !openErased) {
        return Vx::eWasErased;
    }
    if (required != nullptr && !found->isKindOf(required)) {
        return Vx::eNotThatKindOfClass;
    }
    const Vx::ErrorStatus status = openResident(*found, mode);
    if (status == Vx::eOk) {
        object = found;
    }
    return status;
}

void openForWriteAfterAppend(VxDbObject& object) {
    VxHostInternals::writer(object) = true;
    enterLedger(object);
}

Vx::ErrorStatus closeResident(VxDbObject& object) {
    bool& writer = VxHostInternals::writer(object);
    int& readers = VxHostInternals::readers(object);
    if (writer) {
        writer = false;
    } else if (readers > 0) {
        --readers;
    } else {
        return Vx::eWasNotOpen;
    }
    if (!writer && readers == 0) {
        forgetObject(&object);
    }
    return Vx::eOk;
}

void forgetObject(const VxDbObject* object) {
    auto& open = state().open;
    open.erase(std::remove(open.begin(), open.end(), object), open.end());
}

const std::vector<VxDbObject*>& openLedger() {
    return state().open;
}

}  // namespace sim
