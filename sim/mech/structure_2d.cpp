#include "host/vevu_2d_structure.h"
#include "sim/mech/mech_state.h"

CVevu2DStructureMgr::CVevu2DStructureMgr() = default;

CVevu2DStructureMgr::~CVevu2DStructureMgr() = default;

int CVevu2DStructureMgr::Is2DStructureEnabled() const {
    const sim::Database* db = sim::workingSimDatabase();
    const sim::MechDictionary* record = db != nullptr ? sim::findMech(*db) : nullptr;
    return record != nullptr && record->structure2d ? 1 : 0;
}
