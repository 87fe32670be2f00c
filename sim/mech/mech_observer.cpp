#include "sim/mech/mech_observer.h"

#include <utility>

namespace sim {

namespace {
MechObserver& observer() {
    static MechObserver current;
    return current;
}
}  // namespace

void setMechObserver(MechObserver observer_) {
    observer() = std::move(observer_);
}

const MechObserver& mechObserver() {
    return observer();
}

std::size_t changedFieldCount(const VxmStringMap& before, const VxmStringMap& after) {
    const auto valueIn = [](const VxmStringMap& map, const std::u16string& name) {
        const auto it = map.find(name);
        return it == map.end() ? std::u16string() : it->second;
    };
    std::size_t changed = 0;
    for (const auto& [name, value] : after) {
        changed += valueIn(before, name) != value ? 1 : 0;
    }
    for (const auto& [name, value] : before) {
        changed += !after.contains(name) && !value.empty() ? 1 : 0;
    }
    return changed;
}

}  // namespace sim
