#include "sim/host/database.h"

#include <algorithm>
#include <unordered_map>

#include "host/vxm_partref.h"
#include "sim/host/faults.h"
#include "sim/host/host_internals.h"
#include "sim/host/names.h"
#include "sim/host/object_ledger.h"

namespace sim {

struct Database::Impl {
    // Looked up on every open and every row read, so found by place: the slot of an id is its
    // distance from the database's first id (ids that other databases took stay empty).
    struct Slot {
        std::unique_ptr<VxDbObject> object;
        Place place;  // where it was appended, for entities
    };
    std::uint64_t firstId = 0;
    std::vector<Slot> slots;
    std::vector<VxDbDatabaseReactor*> reactors;
    VxDbObjectId blockTable;
    VxDbObjectId modelSpace;
    VxDbObjectId paperSpace;
    std::vector<VxDbObject*> spaceEntities;
    // Parallel to each block record's id list, filled by appendEntity only.
    std::unordered_map<std::uint64_t, std::vector<VxDbObject*>> members;
    std::unordered_map<std::u16string, VxDbObjectId> blockOfFoldedName;
    std::unordered_map<std::uint64_t, std::vector<VxDbObjectId>> insertions;
    std::unordered_map<std::uint64_t, std::vector<VxDbObjectId>> partRefs;

    Slot* slot(VxDbObjectId id) {
        const std::uint64_t value = id.asInt64();
        if (value < firstId || value - firstId >= slots.size()) {
            return nullptr;
        }
        return &slots[value - firstId];
    }
    const Slot* slot(VxDbObjectId id) const { return const_cast<Impl*>(this)->slot(id); }
    VxDbObject* object(VxDbObjectId id) const {
        const Slot* found = slot(id);
        return found != nullptr ? found->object.get() : nullptr;
    }
    VxDbBlockTableRecord* record(VxDbObjectId id) const {
        return asKind<VxDbBlockTableRecord>(object(id));
    }
};

Database::Database() : impl_(std::make_unique<Impl>()) {
    registerDatabase(this);
    impl_->blockTable = adopt(new VxDbBlockTable());
    impl_->modelSpace = addBlock(VxString(u"*Model_Space"), VxString());
    impl_->paperSpace = addBlock(VxString(u"*Paper_Space"), VxString());
}

Database::~Database() {
    notify([this](VxDbDatabaseReactor& reactor) { reactor.goodbye(this); });
    unregisterDatabase(this);
    for (const Impl::Slot& slot : impl_->slots) {
        if (slot.object != nullptr) {
            forgetObject(slot.object.get());
        }
    }
}

Vx::ErrorStatus Database::getSymbolTable(VxDbBlockTable*& table, VxDb::OpenMode mode) {
    table = nullptr;
    if (const int status = checkpoint("getSymbolTable")) {
        return static_cast<Vx::ErrorStatus>(status);
    }
    VxDbObject* opened = nullptr;
    const Vx::ErrorStatus status =
        openObjectById(opened, impl_->blockTable, mode, VxDbBlockTable::desc(), false);
    table = static_cast<VxDbBlockTable*>(opened);
    return status;
}

void Database::addReactor(VxDbDatabaseReactor* reactor) {
    auto& reactors = impl_->reactors;
    if (reactor != nullptr &&
        std::find(reactors.begin(), reactors.end(), reactor) == reactors.end()) {
        reactors.push_back(reactor);
    }
}

void Database::removeReactor(VxDbDatabaseReactor* reactor) {
    auto& reactors = impl_->reactors;
    reactors.erase(std::remove(reactors.begin(), reactors.end(), reactor), reactors.end());
}

void Database::notify(const std::function<void(VxDbDatabaseReactor&)>& event) {
    const std::vector<VxDbDatabaseReactor*> snapshot = impl_->reactors;
    for (VxDbDatabaseReactor* reactor : snapshot) {
        const auto& now = impl_->reactors;
        if (std::find(now.begin(), now.end(), reactor) != now.end()) {
            event(*reactor);
        }
    }
}

std::vector<VxDbDatabaseReactor*> Database::reactors() const {
    return impl_->reactors;
}

VxDbObjectId Database::adopt(VxDbObject* object) {
    if (object == nullptr || !object->objectId().isNull()) {
        return VxDbObjectId::kNull;  // null, or already owned by a database
    }
    const VxDbObjectId id = nextObjectId();
    VxHostInternals::setId(*object, id);
    VxHostInternals::setDatabase(*object, this);
    if (impl_->slots.empty()) {
        impl_->firstId = id.asInt64();
    }
    const std::uint64_t index = id.asInt64() - impl_->firstId;
    if (impl_->slots.size() <= index) {
        impl_->slots.resize(index + 1);
    }
    impl_->slots[index].object.reset(object);
    return id;
}

VxDbObjectId Database::appendEntity(VxDbObjectId blockId, VxDbEntity* entity) {
    VxDbBlockTableRecord* record = impl_->record(blockId);
    if (entity == nullptr || record == nullptr || !entity->objectId().isNull()) {
        if (entity != nullptr && entity->objectId().isNull()) {
            delete entity;  // ownership was handed over; nobody else will free it
        }
        return VxDbObjectId::kNull;
    }
    const VxDbObjectId id = adopt(entity);
    auto& members = VxHostInternals::entities(*record);
    impl_->slot(id)->place = Place{blockId, members.length()};
    members.append(id);
    impl_->members[blockId.asInt64()].push_back(entity);
    if (const auto* reference = asKind<VxDbBlockReference>(entity)) {
        impl_->insertions[reference->blockTableRecord().asInt64()].push_back(id);
    } else if (const auto* partRef = asKind<VxmPartRef>(entity)) {
        if (!partRef->dataEntryId().isNull()) {
            impl_->partRefs[partRef->dataEntryId().asInt64()].push_back(id);
        }
    }
    if (blockId == impl_->modelSpace || blockId == impl_->paperSpace) {
        impl_->spaceEntities.push_back(entity);
    }
    notify([this, entity](VxDbDatabaseReactor& reactor) { reactor.onObjectAdded(this, entity); });
    return id;
}

VxDbObjectId Database::addBlock(const VxString& name, const VxString& xrefPath) {
    auto* table = static_cast<VxDbBlockTable*>(lookup(impl_->blockTable));
    const auto [slot, fresh] = impl_->blockOfFoldedName.try_emplace(foldedName(name.str()));
    if (!fresh) {
        return VxDbObjectId::kNull;  // block names are unique in a drawing
    }
    auto* record = new VxDbBlockTableRecord();
    VxHostInternals::setName(*record, name);
    VxHostInternals::setXrefPath(*record, xrefPath);
    const VxDbObjectId id = adopt(record);
    VxHostInternals::records(*table).append(id);
    slot->second = id;
    impl_->members[id.asInt64()];  // exists before any walk of the block starts
    notify([this, record](VxDbDatabaseReactor& reactor) { reactor.onObjectAdded(this, record); });
    return id;
}

VxDbObject* Database::lookup(VxDbObjectId id) const {
    return impl_->object(id);
}

VxDbObjectId Database::blockTableId() const {
    return impl_->blockTable;
}

VxDbObjectId Database::modelSpaceId() const {
    return impl_->modelSpace;
}

std::vector<VxDbObjectId> Database::blockIds() const {
    std::vector<VxDbObjectId> ids;
    const auto* table = static_cast<const VxDbBlockTable*>(lookup(impl_->blockTable));
    for (VxDbObjectId id : VxHostInternals::records(*table)) {
        if (id != impl_->modelSpace && id != impl_->paperSpace) {
            ids.push_back(id);
        }
    }
    return ids;
}

std::vector<VxDbObjectId> Database::entitiesOf(VxDbObjectId blockId, bool includeErased) const {
    std::vector<VxDbObjectId> ids;
    for (const VxDbObject* entity : membersOf(blockId)) {
        if (includeErased || !entity->isErased()) {
            ids.push_back(entity->objectId());
        }
    }
    return ids;
}

const std::vector<VxDbObject*>& Database::membersOf(VxDbObjectId blockId) const {
    static const std::vector<VxDbObject*> kNone;
    const auto found = impl_->members.find(blockId.asInt64());
    return found == impl_->members.end() ? kNone : found->second;
}

std::vector<VxDbObjectId> Database::openObjects() const {
    std::vector<VxDbObjectId> ids;
    for (const VxDbObject* object : openLedger()) {
        if (object->database() == this) {
            ids.push_back(object->objectId());
        }
    }
    return ids;
}

std::vector<VxDbObjectId> Database::spaceEntitiesInOrder() const {
    std::vector<VxDbObjectId> ids;
    ids.reserve(impl_->spaceEntities.size());
    for (const VxDbObject* entity : impl_->spaceEntities) {
        ids.push_back(entity->objectId());
    }
    return ids;
}

const VxDbObject* Database::lastLiveSpaceEntity() const {
    const auto& entities = impl_->spaceEntities;
    for (auto it = entities.rbegin(); it != entities.rend(); ++it) {
        if (!(*it)->isErased()) {
            return *it;
        }
    }
    return nullptr;
}

VxDbObjectId Database::blockNamed(const std::u16string& name) const {
    const auto found = impl_->blockOfFoldedName.find(foldedName(name));
    return found == impl_->blockOfFoldedName.end() ? VxDbObjectId() : found->second;
}

Database::Place Database::placeOf(VxDbObjectId entity) const {
    const Impl::Slot* slot = impl_->slot(entity);
    return slot != nullptr ? slot->place : Place();
}

namespace {

const std::vector<VxDbObjectId>& listIn(
    const std::unordered_map<std::uint64_t, std::vector<VxDbObjectId>>& lists, VxDbObjectId key) {
    static const std::vector<VxDbObjectId> kNone;
    const auto found = lists.find(key.asInt64());
    return found == lists.end() ? kNone : found->second;
}

}  // namespace

const std::vector<VxDbObjectId>& Database::insertionsOf(VxDbObjectId block) const {
    return listIn(impl_->insertions, block);
}

const std::vector<VxDbObjectId>& Database::partRefsOf(VxDbObjectId dataEntry) const {
    return listIn(impl_->partRefs, dataEntry);
}

void Database::repointPartRef(VxDbObjectId partRef, VxDbObjectId from, VxDbObjectId to) {
    moveBetweenLists(impl_->partRefs, partRef, from, to);
}

void Database::repointBlockReference(VxDbObjectId reference, VxDbObjectId from, VxDbObjectId to) {
    moveBetweenLists(impl_->insertions, reference, from, to);
}

void Database::moveBetweenLists(std::unordered_map<std::uint64_t, std::vector<VxDbObjectId>>& lists,
                                VxDbObjectId entity, VxDbObjectId from, VxDbObjectId to) {
    if (from == to || placeOf(entity).block.isNull()) {
        return;  // unchanged, or not in a block yet: appending files it
    }
    if (!from.isNull()) {
        auto& old = lists[from.asInt64()];
        old.erase(std::remove(old.begin(), old.end(), entity), old.end());
    }
    if (!to.isNull()) {
        lists[to.asInt64()].push_back(entity);
    }
}

}  // namespace sim
