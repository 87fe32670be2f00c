// The database objects behind the mechanical layer. The database owns them (they are adopted
// when created); everything else holds their ids.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "host/vx_db.h"
#include "host/vxm_bom.h"
#include "sim/host/keyed_table.h"
#include "sim/mech/packed_texts.h"

namespace sim {

// One map shared by a parts-list row (its cells) and the row's part references (their part
// data).
class DataEntry final : public VxDbObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    PackedTexts data;
};

class PartsListRow final : public VxDbObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    VxDbObjectId partsList;
    VxString item;
    std::int32_t quantity = 0;
    VxDbObjectId dataEntry;  // never null
    int state = 0;           // nonzero: awaits a refresh
};

class PartsList final : public VxDbObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    VxDbObjectId owner;  // block record; model space's id for the drawing's own list
    std::vector<VxDbObjectId> rows;
    // Data entry to its first row; rows are only ever appended and keep their data entry.
    KeyedTable<VxDbObjectId> rowOfEntry;
};

// The mechanical layer's record of one database: its parts lists, the standard, the
// part data of block records and the 2D-structure flag.
class MechDictionary final : public VxDbObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;

    std::vector<VxDbObjectId> partsLists;  // creation order
    VxDbObjectId currentPartsList;
    VxDbObjectId standard;
    std::map<VxDbObjectId, VxmStringMap> blockPartData;
    bool structure2d = false;
};

}  // namespace sim
