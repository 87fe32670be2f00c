#include "sim/scenario/drawing_handles.h"

#include <stdexcept>

namespace sim {
namespace {

void bind(std::map<std::int64_t, VxDbObjectId>& byName, std::map<VxDbObjectId, std::int64_t>& byId,
          std::int64_t name, VxDbObjectId id) {
    if (name <= 0 || id.isNull() || byName.count(name) != 0 || byId.count(id) != 0) {
        throw std::logic_error("scenario name " + std::to_string(name) + " bound twice");
    }
    byName[name] = id;
    byId[id] = name;
}

template <class K, class V>
std::optional<V> find(const std::map<K, V>& map, const K& key) {
    const auto it = map.find(key);
    return it != map.end() ? std::optional<V>(it->second) : std::nullopt;
}

std::int64_t nameFor(std::map<std::int64_t, VxDbObjectId>& byName,
                     std::map<VxDbObjectId, std::int64_t>& byId, VxDbObjectId id) {
    if (const auto known = find(byId, id)) {
        return *known;
    }
    const std::int64_t fresh = byName.empty() ? 1 : byName.rbegin()->first + 1;
    bind(byName, byId, fresh, id);
    return fresh;
}

}  // namespace

void DrawingHandles::bindEntity(std::int64_t handle, VxDbObjectId id) {
    bind(entityOfHandle, handleOfEntity, handle, id);
}

void DrawingHandles::bindDataEntry(std::int64_t number, VxDbObjectId id) {
    bind(dataEntryOfNumber, numberOfDataEntry, number, id);
}

VxDbObjectId DrawingHandles::entity(std::int64_t handle) const {
    return find(entityOfHandle, handle).value_or(VxDbObjectId());
}

VxDbObjectId DrawingHandles::dataEntry(std::int64_t number) const {
    return find(dataEntryOfNumber, number).value_or(VxDbObjectId());
}

std::optional<std::int64_t> DrawingHandles::handleOf(VxDbObjectId id) const {
    return find(handleOfEntity, id);
}

std::optional<std::int64_t> DrawingHandles::numberOf(VxDbObjectId dataEntry) const {
    return find(numberOfDataEntry, dataEntry);
}

std::int64_t DrawingHandles::handleFor(VxDbObjectId id) {
    return nameFor(entityOfHandle, handleOfEntity, id);
}

std::int64_t DrawingHandles::numberFor(VxDbObjectId dataEntry) {
    return nameFor(dataEntryOfNumber, numberOfDataEntry, dataEntry);
}

}  // namespace sim
