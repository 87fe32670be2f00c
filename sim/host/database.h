// sim::Database: the stand-in host's drawing database, and the control API that the rest of
// the stand-in platform (mechanical layer, scenarios, vexa-sim, tests) uses on it. Modules
// see only VxDbDatabase.
//
// The database owns every object added to it. Ids come from one counter shared by all
// databases of the run and are never reused. A fresh database holds a block table with the
// records "*Model_Space" and "*Paper_Space".
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/vx_db.h"
#include "sim/host/database_header.h"
#include "sim/host/object_kind.h"

namespace sim {

class Database final : public VxDbDatabase {
  public:
    Database();
    ~Database() override;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // VxDbDatabase
    Vx::ErrorStatus getSymbolTable(VxDbBlockTable*& table, VxDb::OpenMode mode) override;
    void addReactor(VxDbDatabaseReactor* reactor) override;
    void removeReactor(VxDbDatabaseReactor* reactor) override;

    // ---- control API ----
    // Takes ownership of an object that belongs to no block (data entries, standards,
    // parts lists, rows...) and gives it its id.
    VxDbObjectId adopt(VxDbObject* object);
    // Appends an entity to a block record without opening anything, as loading a drawing
    // does; reactors hear onObjectAdded. Takes ownership.
    VxDbObjectId appendEntity(VxDbObjectId blockId, VxDbEntity* entity);
    // Adds a block table record; a non-empty xrefPath makes it an external reference.
    VxDbObjectId addBlock(const VxString& name, const VxString& xrefPath);
    // The object with that id in this database (open or not, erased or not), or null.
    VxDbObject* lookup(VxDbObjectId id) const;
    // The same when it is a T (or derives from it), else null; see object_kind.h.
    template <class T>
    T* lookupAs(VxDbObjectId id) const {
        return asKind<T>(lookup(id));
    }
    VxDbObjectId blockTableId() const;
    VxDbObjectId modelSpaceId() const;
    // Block records other than the two spaces, in creation order.
    std::vector<VxDbObjectId> blockIds() const;
    // Entities of a block record in order; erased ones only when asked.
    std::vector<VxDbObjectId> entitiesOf(VxDbObjectId blockId, bool includeErased) const;
    // The entity objects of a block record in the order of its id list, erased ones too, so
    // that a walk needs no look-up per entity. The list of a block lives as long as the
    // database and grows as entities are appended; a non-block id gives an empty list.
    const std::vector<VxDbObject*>& membersOf(VxDbObjectId blockId) const;
    // Objects that are open now (the ledger), in the order they were opened.
    std::vector<VxDbObjectId> openObjects() const;
    // Delivers one database event to every attached reactor, in attach order. A reactor
    // removed by an earlier one during the delivery is skipped.
    void notify(const std::function<void(VxDbDatabaseReactor&)>& event);
    std::vector<VxDbDatabaseReactor*> reactors() const;
    // The entities appended to model or paper space, in the order they were added.
    std::vector<VxDbObjectId> spaceEntitiesInOrder() const;
    // The last of them that is not erased, or null.
    const VxDbObject* lastLiveSpaceEntity() const;
    // The user coordinate system and the entity defaults.
    DatabaseHeader& header() { return header_; }
    const DatabaseHeader& header() const { return header_; }

    // ---- indexes, kept as entities and blocks are added ----
    // The block record of that name (matched as symbol-table names are), erased or not.
    VxDbObjectId blockNamed(const std::u16string& name) const;
    struct Place {
        VxDbObjectId block;
        int position = -1;  // in the block's entity list
    };
    // Where an entity was appended; a null block for an id that is no entity here.
    Place placeOf(VxDbObjectId entity) const;
    // The block references appended so far that were made for that block, in order.
    const std::vector<VxDbObjectId>& insertionsOf(VxDbObjectId block) const;
    // The part references that were given that data entry, erased or not, in order.
    const std::vector<VxDbObjectId>& partRefsOf(VxDbObjectId dataEntry) const;
    // Moves a part reference from one data entry's list to another's when its entry changes.
    void repointPartRef(VxDbObjectId partRef, VxDbObjectId from, VxDbObjectId to);
    // The same for a block reference made to insert another block.
    void repointBlockReference(VxDbObjectId reference, VxDbObjectId from, VxDbObjectId to);

    struct Impl;

  private:
    void moveBetweenLists(std::unordered_map<std::uint64_t, std::vector<VxDbObjectId>>& lists,
                          VxDbObjectId entity, VxDbObjectId from, VxDbObjectId to);

    std::unique_ptr<Impl> impl_;
    DatabaseHeader header_;
};

// The database of an id, searching every live database of the run; null if none holds it.
Database* databaseOf(VxDbObjectId id);

}  // namespace sim
