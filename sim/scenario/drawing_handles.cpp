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

void bind(Names& names, std::int64_t name, VxDbObjectId id) {
    if (name <= 0 || id.isNull()) {
        boundTwice(name);
    }
    const auto key = static_cast<std::uint64_t>(name);
    if (!names.idOfName.insert(key, id)) {
        boundTwice(name);
    }
    if (!names.nameOfId.insert(id.asInt64(), name)) {
        names.idOfName.erase(key);
        boundTwice(name);
    }
    names.largest = std::max(names.largest, name);
}

VxDbObjectId idOf(const Names& names, std::int64_t name) {
    return name > 0 ? names.idOfName.find(static_cast<std::uint64_t>(name)) : VxDbObjectId();
}

std::optional<std::int64_t> nameOf(const Names& names, VxDbObjectId id) {
    const std::int64_t name = names.nameOfId.find(id.asInt64());
    return name != 0 ? std::optional<std::int64_t>(name) : std::nullopt;
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
