// InsertedEntityList: the ids of the entities a drawing insertion added to one drawing
// database, in the order they arrived, with ids removed again when their entity is erased
// during the insertion and put back when that erasure is undone.
//
// Only the insertion's own entities belong here: an undone erasure of an entity the drawing
// held before puts nothing on the list, or a ticked "erase the inserted part references"
// would erase the user's own. The database is only compared, never used.
//
// An insertion may add and erase many thousands of entities, so removing an id must not scan
// the list: a removal is only counted, and the counted first occurrences are dropped in one
// pass when the list is read (or when the removals outnumber the entries). Each operation
// costs amortised constant time.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "host/vx_array.h"
#include "host/vx_db.h"
#include "host/vx_db_object_id.h"

class InsertedEntityList {
  public:
    InsertedEntityList() = default;
    InsertedEntityList(const InsertedEntityList&) = delete;
    InsertedEntityList& operator=(const InsertedEntityList&) = delete;

    // Empties the list for a new insertion into database (null: none).
    void restart(const VxDbDatabase* database);
    // The database of the last restart: the list names entities of no other.
    const VxDbDatabase* database() const { return database_; }

    // An entity the insertion added.
    void append(VxDbObjectId id);
    // Removes the first occurrence of id; nothing when it is not in the list.
    void removeFirst(VxDbObjectId id);
    // An undone erasure: back on the list only when this insertion added the entity and it is
    // not on the list now.
    void restore(VxDbObjectId id);
    // The ids in order, without gaps; valid until the list next changes.
    const VxDbObjectIdArray& ids() const;

  private:
    void squeeze() const;

    const VxDbDatabase* database_ = nullptr;
    std::unordered_set<std::uint64_t> added_;      // every id the insertion added
    mutable VxDbObjectIdArray ids_;                // removed occurrences stay until squeezed
    std::unordered_map<std::uint64_t, int> live_;  // occurrences of each id not removed
    // Removed occurrences of each id not squeezed out yet: always its first ones in ids_.
    mutable std::unordered_map<std::uint64_t, int> removed_;
    mutable int gaps_ = 0;
};
