#include "sim/mech/mech_state.h"

#include <map>

#include "host/vxm_standard.h"
#include "sim/mech/vxm_internals.h"

namespace sim {
namespace {

// Keyed by address, checked by id: a database freed and another one allocated at the same
// address finds a stale id that it does not hold, and gets a record of its own.
std::map<const Database*, VxDbObjectId>& records() {
    static std::map<const Database*, VxDbObjectId> byDatabase;
    return byDatabase;
}

}  // namespace

Database* workingSimDatabase() {
    VxDbHostApplicationServices* services = vxdbHostApplicationServices();
    return services != nullptr ? dynamic_cast<Database*>(services->workingDatabase()) : nullptr;
}

const MechDictionary* findMech(const Database& db) {
    const auto it = records().find(&db);
    return it != records().end() ? findIn<MechDictionary>(db, it->second) : nullptr;
}

MechDictionary& mechOf(Database& db) {
    if (const MechDictionary* existing = findMech(db)) {
        return *const_cast<MechDictionary*>(existing);
    }
    auto* bomStd = new VxmBOMStd();
    const VxDbObjectId bomStdId = db.adopt(bomStd);
    auto* standard = new VxmStandard();
    VxmInternals::bomStd(*standard) = bomStdId;
    auto* record = new MechDictionary();
    record->standard = db.adopt(standard);
    records()[&db] = db.adopt(record);
    return *record;
}

VxDbObjectId newDataEntry(Database& db, const VxmStringMap& data) {
    auto* entry = new DataEntry();
    entry->data = PackedTexts(data);
    return db.adopt(entry);
}

VxDbObjectId ensureDataEntry(Database& db, VxmPartRef& partRef) {
    VxDbObjectId& id = VxmInternals::dataEntry(partRef);
    if (id.isNull()) {
        id = newDataEntry(db, {});
        db.repointPartRef(partRef.objectId(), VxDbObjectId(), id);
    }
    return id;
}

}  // namespace sim
