// Part data as the mechanical layer keeps them: a part reference's are its data entry's map,
// an external-reference block reference's are its block record's, and a block record keeps
// its own (model space's are the drawing's own part data).
#pragma once

#include "host/vxm_bom.h"

namespace sim {

// Statuses as VxmBOMManager::getPartData and setPartData document them.
Vx::ErrorStatus readPartData(VxDbObjectId objectId, VxmStringMap& data);
Vx::ErrorStatus writePartData(VxDbObjectId objectId, const VxmStringMap& data);

}  // namespace sim
