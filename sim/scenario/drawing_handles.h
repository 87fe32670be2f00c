// DrawingHandles: a scenario's names for the things of a loaded drawing. Entities are named by
// handles and data entries by numbers (both positive integers); each maps both ways to the
// database id. Things the run adds get fresh names when the drawing is saved.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/vx_db_object_id.h"
#include "sim/host/keyed_table.h"

namespace sim {

struct DrawingHandles {
    // Binds a name; a name or id bound already is a programming error (std::logic_error).
    void bindEntity(std::int64_t handle, VxDbObjectId id);
    void bindDataEntry(std::int64_t number, VxDbObjectId id);

    // The null id when the name is unknown.
    VxDbObjectId entity(std::int64_t handle) const;
    VxDbObjectId dataEntry(std::int64_t number) const;
    std::optional<std::int64_t> handleOf(VxDbObjectId id) const;
    std::optional<std::int64_t> numberOf(VxDbObjectId dataEntry) const;

    // The name of id, bound to max + 1 when it has none yet.
    std::int64_t handleFor(VxDbObjectId id);
    std::int64_t numberFor(VxDbObjectId dataEntry);

    // Both ways: a large drawing asks for millions of names. Ids are keyed by their integer.
    struct Names {
        KeyedTable<VxDbObjectId> idOfName;
        KeyedTable<std::int64_t> nameOfId;
        std::int64_t largest = 0;
    };
    Names entities;
    Names dataEntries;
    // The drawing's "loadedModules", for vexa-sim to hand to the host.
    std::vector<std::string> loadedModules;
};

}  // namespace sim
