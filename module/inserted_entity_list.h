// InsertedEntityList: the ids of the entities a drawing insertion added, in the order they
// arrived, with ids removed again when their entity is erased during the insertion.
//
// An insertion may add and erase many thousands of entities, so removing an id must not scan
// the list: a removed id leaves a gap that is squeezed out when the list is read, and an index
// finds an id's first occurrence. Each operation costs amortised constant time.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

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

    mutable VxDbObjectIdArray ids_;  // removed entries hold the null id until squeezed
    // Positions in ids_ of each id's occurrences, ascending; rebuilt when squeezed.
    mutable std::unordered_map<std::uint64_t, std::vector<int>> positions_;
    mutable int gaps_ = 0;
};
