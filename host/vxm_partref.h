// VxmPartRef: a part reference of the mechanical layer. It is an entity that points to a
// data entry; the part references of one parts-list row share their row's data entry, and
// the part data of a part reference are the data entry's data.
#pragma once

#include "host/vx_db.h"
#include "host/vx_export.h"

class VX_HOST_API VxmPartRef : public VxDbEntity {
  public:
    // A part reference with a data entry of its own. The mechanical layer creates that data
    // entry the first time part data are written to the part reference or it is handed to a
    // parts list; until then dataEntryId() is null and its part data are empty. A part
    // reference constructed with the null id behaves the same.
    VxmPartRef();
    explicit VxmPartRef(VxDbObjectId dataEntryId);  // shares that data entry
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    VxDbObjectId dataEntryId() const;

  private:
    friend class VxHostInternals;
    friend class VxmInternals;
    VxDbObjectId dataEntry_;
};
