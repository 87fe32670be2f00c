#include "sim/mech/mech_objects.h"

#include "sim/host/rx_define.h"

namespace sim {

SIM_RX_DEFINE_CLASS(DataEntry, VxDbObject)
SIM_RX_DEFINE_CLASS(PartsListRow, VxDbObject)
SIM_RX_DEFINE_CLASS(PartsList, VxDbObject)
SIM_RX_DEFINE_CLASS(MechDictionary, VxDbObject)

}  // namespace sim
