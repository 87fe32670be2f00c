#include "sim/mech/part_ref_paths.h"

#include <algorithm>

#include "host/vxm_partref.h"

namespace sim {
namespace {

// Climbs from a part reference up through the block references that insert its block, to
// model space. The drawing's indexes hold every candidate; what is erased or changed since is
// left out here, so a walk down from model space would find the same paths.
struct PathClimb {
    const Database& db;
    std::vector<VxDbObjectId> chain;  // bottom up
    std::vector<VxDbObjectId> enteredBlocks;
    std::vector<IdPath> found;

    bool live(VxDbObjectId id) const {
        const VxDbObject* object = db.lookup(id);
        return object != nullptr && !object->isErased();
    }

    void climb(VxDbObjectId entity) {
        const VxDbObjectId block = db.placeOf(entity).block;
        if (block == db.modelSpaceId()) {
            found.emplace_back(chain.rbegin(), chain.rend());
            return;
        }
        if (block.isNull() || !live(block) ||
            std::find(enteredBlocks.begin(), enteredBlocks.end(), block) != enteredBlocks.end()) {
            return;
        }
        enteredBlocks.push_back(block);
        for (const VxDbObjectId reference : db.insertionsOf(block)) {
            const auto* insert = db.lookupAs<const VxDbBlockReference>(reference);
            if (insert != nullptr && !insert->isErased() && insert->blockTableRecord() == block) {
                chain.push_back(reference);
                climb(reference);
                chain.pop_back();
            }
        }
        enteredBlocks.pop_back();
    }

    // Positions in the entity lists along the path: their order is the order of a walk.
    std::vector<int> positions(const IdPath& path) const {
        std::vector<int> key;
        for (const VxDbObjectId id : path) {
            key.push_back(db.placeOf(id).position);
        }
        return key;
    }
};

}  // namespace

std::vector<IdPath> partRefPathsOf(const Database& db, VxDbObjectId dataEntry) {
    if (dataEntry.isNull()) {
        return {};
    }
    PathClimb climb{db, {}, {}, {}};
    for (const VxDbObjectId id : db.partRefsOf(dataEntry)) {
        const auto* partRef = db.lookupAs<const VxmPartRef>(id);
        if (partRef != nullptr && !partRef->isErased() && partRef->dataEntryId() == dataEntry) {
            climb.chain = {id};
            climb.climb(id);
        }
    }
    std::vector<IdPath>& found = climb.found;
    if (found.size() > 1) {
        std::vector<std::pair<std::vector<int>, IdPath>> keyed;
        for (IdPath& path : found) {
            keyed.emplace_back(climb.positions(path), std::move(path));
        }
        std::sort(keyed.begin(), keyed.end());
        for (std::size_t i = 0; i < keyed.size(); ++i) {
            found[i] = std::move(keyed[i].second);
        }
    }
    return std::move(found);
}

}  // namespace sim
