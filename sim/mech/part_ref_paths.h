// The part references of one data entry, found in the drawing: each as the chain of ids from
// the model-space entity down to the part reference.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/vx_db_object_id.h"
#include "host/vx_export.h"
#include "sim/host/database.h"

namespace sim {

using IdPath = std::vector<VxDbObjectId>;

// At most this many paths are listed for one data entry: far above any real drawing, far
// below what n blocks that each insert the next twice reach (2^n).
constexpr std::uint64_t kMaxPartRefPaths = 1'000'000;

// Thrown instead of listing more than kMaxPartRefPaths paths; count is empty when blocks that
// insert each other leave too many ways to follow to count them.
class VX_HOST_API TooManyPartRefPaths : public std::length_error {
  public:
    explicit TooManyPartRefPaths(std::optional<std::uint64_t> count);
    const std::optional<std::uint64_t>& count() const { return count_; }

  private:
    std::optional<std::uint64_t> count_;
};

// Counts the paths partRefPathsOf would list without listing them. What a block adds is
// remembered across data entries while the drawing does not change, so that counting every
// row of a parts list costs about one walk of the block references. Saturates at the largest
// uint64; nothing when blocks that insert each other need more than a bounded number of steps.
class VX_HOST_API PartRefPathCounter {
  public:
    explicit PartRefPathCounter(const Database& db) : db_(db) {}
    std::optional<std::uint64_t> count(VxDbObjectId dataEntry);
    // True when no path leads from the block to model space, whatever was entered below it.
    bool leadsNowhere(VxDbObjectId block) const;

  private:
    struct Ways {
        std::uint64_t paths = 0;
        std::size_t shallowestEntered;  // depth of the deepest-reaching block already entered
    };
    Ways fromBlock(VxDbObjectId block);

    const Database& db_;
    std::unordered_map<std::uint64_t, std::uint64_t> known_;  // block id: paths
    std::vector<VxDbObjectId> entered_;
    std::uint64_t steps_ = 0;
};

// Paths in model-space entity order (within a block, in the block's entity order). Erased
// entities are never part of a path; a block that references itself, directly or through
// other blocks, is not entered again. Throws TooManyPartRefPaths past kMaxPartRefPaths.
VX_HOST_API std::vector<IdPath> partRefPathsOf(const Database& db, VxDbObjectId dataEntry);

}  // namespace sim
