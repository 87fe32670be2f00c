#include "sim/scenario/drawing_handles.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace sim {
namespace {

using Names = DrawingHandles::Names;

[[noreturn]] void boundTwice(std::int64_t name) {
    throw std::logic_error("scenario name " + std::to_string(name) + " bound twice");
}

// Each map searched once: a large drawing binds millions of names.
void bind(Names& names, std::int64_t name, VxDbObjectId id) {
    if (name <= 0 || id.isNull()) {
        boundTwice(name);
    }
    const auto [byName, nameAdded] = names.idOfName.try_emplace(name, id);
    if (!nameAdded) {
        boundTwice(name);
    }
    if (!names.nameOfId.try_emplace(id.asInt64(), name).second) {
        names.idOfName.erase(byName);
        boundTwice(name);
    }
    names.largest = std::max(names.largest, name);
}

VxDbObjectId idOf(const Names& names, std::int64_t name) {
    const auto it = names.idOfName.find(name);
    return it != names.idOfName.end() ? it->second : VxDbObjectId();
}

std::optional<std::int64_t> nameOf(const Names& names, VxDbObjectId id) {
    const auto it = names.nameOfId.find(id.asInt64());
    return it != names.nameOfId.end() ? std::optional<std::int64_t>(it->second) : std::nullopt;
}

std::int64_t nameFor(Names& names, VxDbObjectId id) {
    if (const auto known = nameOf(names, id)) {
        return *known;
    }
    if (names.largest == std::numeric_limits<std::int64_t>::max()) {
        throw std::overflow_error("no scenario name is left above " +
                                  std::to_string(names.largest));
    }
    const std::int64_t fresh = names.largest + 1;
    bind(names, fresh, id);
    return fresh;
}

}  // namespace

void DrawingHandles::bindEntity(std::int64_t handle, VxDbObjectId id) {
    bind(entities, handle, id);
}

void DrawingHandles::bindDataEntry(std::int64_t number, VxDbObjectId id) {
    bind(dataEntries, number, id);
}

VxDbObjectId DrawingHandles::entity(std::int64_t handle) const {
    return idOf(entities, handle);
}

VxDbObjectId DrawingHandles::dataEntry(std::int64_t number) const {
    return idOf(dataEntries, number);
}

std::optional<std::int64_t> DrawingHandles::handleOf(VxDbObjectId id) const {
    return nameOf(entities, id);
}

std::optional<std::int64_t> DrawingHandles::numberOf(VxDbObjectId dataEntry) const {
    return nameOf(dataEntries, dataEntry);
}

std::int64_t DrawingHandles::handleFor(VxDbObjectId id) {
    return nameFor(entities, id);
}

std::int64_t DrawingHandles::numberFor(VxDbObjectId dataEntry) {
    return nameFor(dataEntries, dataEntry);
}

}  // namespace sim
