#include "host/vxm_partref.h"
#include "sim/host/rx_define.h"

VxmPartRef::VxmPartRef() = default;

VxmPartRef::VxmPartRef(VxDbObjectId dataEntryId) : dataEntry_(dataEntryId) {}

SIM_RX_DEFINE_CLASS(VxmPartRef, VxDbEntity)

VxDbObjectId VxmPartRef::dataEntryId() const {
    return dataEntry_;
}
