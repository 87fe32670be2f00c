#include "sim/mech/part_ref_paths.h"

#include <algorithm>
#include <limits>

#include "host/vxm_partref.h"

namespace sim {
namespace {

// Blocks that insert each other are walked without remembering (what they add depends on
// what was entered below them); this bounds that walk.
constexpr std::uint64_t kMaxCountSteps = 20'000'000;

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b
               ? std::numeric_limits<std::uint64_t>::max()
               : a + b;
}

bool live(const Database& db, VxDbObjectId id) {
    const VxDbObject* object = db.lookup(id);
    return object != nullptr && !object->isErased();
}

// The live block references that insert the block.
template <class Visit>
void forEachInsertion(const Database& db, VxDbObjectId block, Visit visit) {
    for (const VxDbObjectId reference : db.insertionsOf(block)) {
        const auto* insert = db.lookupAs<const VxDbBlockReference>(reference);
        if (insert != nullptr && !insert->isErased() && insert->blockTableRecord() == block) {
            visit(reference);
        }
    }
}

// The part references that hold the data entry.
template <class Visit>
void forEachPartRef(const Database& db, VxDbObjectId dataEntry, Visit visit) {
    for (const VxDbObjectId id : db.partRefsOf(dataEntry)) {
        const auto* partRef = db.lookupAs<const VxmPartRef>(id);
        if (partRef != nullptr && !partRef->isErased() && partRef->dataEntryId() == dataEntry) {
            visit(id);
        }
    }
}

// Climbs from a part reference up through the block references that insert its block, to
// model space. The drawing's indexes hold every candidate; what is erased or changed since is
// left out here, so a walk down from model space would find the same paths.
// Blocks that lead nowhere are not climbed, or a drawing of blocks each inserting the next
// twice, none of them placed, would take 2^n steps to give no path.
struct PathClimb {
    const Database& db;
    const PartRefPathCounter& counter;
    std::vector<VxDbObjectId> chain;  // bottom up
    std::vector<VxDbObjectId> enteredBlocks;
    std::vector<IdPath> found;

    void climb(VxDbObjectId entity) {
        const VxDbObjectId block = db.placeOf(entity).block;
        if (block == db.modelSpaceId()) {
            found.emplace_back(chain.rbegin(), chain.rend());
            return;
        }
        if (block.isNull() || !live(db, block) || counter.leadsNowhere(block) ||
            std::find(enteredBlocks.begin(), enteredBlocks.end(), block) != enteredBlocks.end()) {
            return;
        }
        enteredBlocks.push_back(block);
        forEachInsertion(db, block, [&](VxDbObjectId reference) {
            chain.push_back(reference);
            climb(reference);
            chain.pop_back();
        });
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

TooManyPartRefPaths::TooManyPartRefPaths(std::optional<std::uint64_t> count)
    : std::length_error((count ? std::to_string(*count) + " part-reference paths"
                               : std::string("more part-reference paths through blocks that "
                                             "insert each other than can be counted")) +
                        " (at most " + std::to_string(kMaxPartRefPaths) + " are followed)"),
      count_(count) {}

std::optional<std::uint64_t> PartRefPathCounter::count(VxDbObjectId dataEntry) {
    steps_ = 0;
    std::uint64_t total = 0;
    bool countable = true;
    if (!dataEntry.isNull()) {
        forEachPartRef(db_, dataEntry, [&](VxDbObjectId partRef) {
            const VxDbObjectId block = db_.placeOf(partRef).block;
            total = saturatingAdd(total, fromBlock(block).paths);
            countable = countable && steps_ <= kMaxCountSteps;
        });
    }
    return countable ? std::optional<std::uint64_t>(total) : std::nullopt;
}

bool PartRefPathCounter::leadsNowhere(VxDbObjectId block) const {
    const auto found = known_.find(block.asInt64());
    return found != known_.end() && found->second == 0;
}

// What a block adds is remembered only when its walk entered nothing that was entered before
// it (itself included): then it lies on no loop of insertions, and nothing entered below it
// can be met above it.
PartRefPathCounter::Ways PartRefPathCounter::fromBlock(VxDbObjectId block) {
    const std::size_t depth = entered_.size();
    if (block == db_.modelSpaceId()) {
        return {1, depth};
    }
    if (block.isNull() || !live(db_, block)) {
        return {0, depth};
    }
    if (const auto found = known_.find(block.asInt64()); found != known_.end()) {
        return {found->second, depth};
    }
    if (const auto at = std::find(entered_.begin(), entered_.end(), block); at != entered_.end()) {
        return {0, static_cast<std::size_t>(at - entered_.begin())};
    }
    if (++steps_ > kMaxCountSteps) {
        return {0, 0};
    }
    entered_.push_back(block);
    Ways ways{0, depth + 1};
    forEachInsertion(db_, block, [&](VxDbObjectId reference) {
        if (steps_ > kMaxCountSteps) {
            return;
        }
        const Ways above = fromBlock(db_.placeOf(reference).block);
        ways.paths = saturatingAdd(ways.paths, above.paths);
        ways.shallowestEntered = std::min(ways.shallowestEntered, above.shallowestEntered);
    });
    entered_.pop_back();
    if (ways.shallowestEntered > depth && steps_ <= kMaxCountSteps) {
        known_[block.asInt64()] = ways.paths;
    }
    return ways;
}

std::vector<IdPath> partRefPathsOf(const Database& db, VxDbObjectId dataEntry) {
    if (dataEntry.isNull()) {
        return {};
    }
    PartRefPathCounter counter(db);
    const std::optional<std::uint64_t> count = counter.count(dataEntry);
    if (!count || *count > kMaxPartRefPaths) {
        throw TooManyPartRefPaths(count);
    }
    PathClimb climb{db, counter, {}, {}, {}};
    forEachPartRef(db, dataEntry, [&](VxDbObjectId partRef) {
        climb.chain = {partRef};
        climb.climb(partRef);
    });
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
