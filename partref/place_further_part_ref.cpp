#include "partref/place_further_part_ref.h"

#include "base/host_status_error.h"
#include "base/part_ref_paths.h"
#include "host/vx_editor.h"
#include "partref/place_part_ref.h"

std::int32_t PlaceFurtherPartRef(VxDbObjectId rowId) {
    if (rowId.isNull()) {
        return -1;
    }
    try {
        PlacePartRef([rowId](const VxDbBlockTableRecord& modelSpace) {
            return FirstPartRefDataEntry(rowId, modelSpace);
        });
    } catch (const HostStatusError& failure) {
        vxutPrintf(u"\n%s\n", failure.text());
    }
    return 0;
}
