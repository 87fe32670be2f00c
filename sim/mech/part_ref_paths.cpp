#include "sim/mech/part_ref_paths.h"

#include <algorithm>

#include "host/vxm_partref.h"

namespace sim {
namespace {

struct PathWalk {
    const Database& db;
    VxDbObjectId dataEntry;
    IdPath chain;
    std::vector<VxDbObjectId> enteredBlocks;
    std::vector<IdPath> found;

    void walk(VxDbObjectId block) {
        for (const VxDbObjectId id : db.entitiesOf(block, false)) {
            const VxDbObject* object = db.lookup(id);
            if (const auto* partRef = dynamic_cast<const VxmPartRef*>(object)) {
                if (partRef->dataEntryId() == dataEntry) {
                    chain.push_back(id);
                    found.push_back(chain);
                    chain.pop_back();
                }
            } else if (const auto* ref = dynamic_cast<const VxDbBlockReference*>(object)) {
                enter(id, ref->blockTableRecord());
            }
        }
    }

    void enter(VxDbObjectId referenceId, VxDbObjectId block) {
        const VxDbObject* record = db.lookup(block);
        if (record == nullptr || record->isErased() ||
            std::find(enteredBlocks.begin(), enteredBlocks.end(), block) != enteredBlocks.end()) {
            return;
        }
        chain.push_back(referenceId);
        enteredBlocks.push_back(block);
        walk(block);
        enteredBlocks.pop_back();
        chain.pop_back();
    }
};

}  // namespace

std::vector<IdPath> partRefPathsOf(const Database& db, VxDbObjectId dataEntry) {
    if (dataEntry.isNull()) {
        return {};
    }
    PathWalk walk{db, dataEntry, {}, {db.modelSpaceId()}, {}};
    walk.walk(db.modelSpaceId());
    return std::move(walk.found);
}

}  // namespace sim
