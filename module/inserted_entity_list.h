// InsertedEntityList: the ids of the entities a drawing insertion added, in the order they
// arrived, with ids removed again when their entity is erased during the insertion.
//
// An insertion may add and erase many thousands of entities, so removing an id must not scan
// the list: a removal is only counted, and the counted first occurrences are dropped in one
// pass when the list is read (or when the removals outnumber the entries). Each operation
// costs amortised constant time.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "host/vx_array.h"
#include "host/vx_db_object_id.h"

class InsertedEntityList {
  public:
    InsertedEntityList() = default;
    InsertedEntityList(const InsertedEntityList&) = delete;
    InsertedEntityList& operator=(const InsertedEntityList&) = delete;

    void clear();
    void append(VxDbObjectId id);
    // Removes the first occurrence of id; nothing when it is not in the list.
    void removeFirst(VxDbObjectId id);
    // The ids in order, without gaps; valid until the list next changes.
    const VxDbObjectIdArray& ids() const;

  private:
    void squeeze() const;

    mutable VxDbObjectIdArray ids_;                // removed occurrences stay until squeezed
    std::unordered_map<std::uint64_t, int> live_;  // occurrences of each id not removed
    // Removed occurrences of each id not squeezed out yet: always its first ones in ids_.
    mutable std::unordered_map<std::uint64_t, int> removed_;
    mutable int gaps_ = 0;
};
