// Control API of the stand-in mechanical layer, for scenarios, vexa-sim and tests: builds a
// drawing's parts lists, rows, data entries, block part data, standard columns and 2D flag
// without going through the module-facing rules (no fault checkpoints, no write-open), and
// reads all of it back for saving and for assertions.
//
// Misuse (an id that is not of the kind a function names, a row of another list) throws
// std::invalid_argument.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/vx_export.h"
#include "host/vxm_bom.h"
#include "sim/host/database.h"
#include "sim/mech/packed_texts.h"

namespace sim {

struct ColumnSpec {
    std::u16string name;
    bool visible = true;
    int type = 29;
    int dataType = 0;
    std::u16string displayText;

    friend bool operator==(const ColumnSpec&, const ColumnSpec&) = default;
};

struct RowRecord {
    VxDbObjectId id;
    std::u16string item;
    std::int32_t quantity = 0;
    VxDbObjectId dataEntry;
    int state = 0;
};

// ---- parts lists and rows ----
// A new parts list owned by the block record (the null id: model space). One per block.
VX_HOST_API VxDbObjectId createPartsList(Database& db, VxDbObjectId ownerBlock);
// Parts lists in creation order.
VX_HOST_API std::vector<VxDbObjectId> partsLists(const Database& db);
// The owning block record (model space's id for the drawing's own list).
VX_HOST_API VxDbObjectId partsListOwner(const Database& db, VxDbObjectId partsList);
// The list getBom answers; the null id for none.
VX_HOST_API void setCurrentPartsList(Database& db, VxDbObjectId partsList);
VX_HOST_API VxDbObjectId currentPartsList(const Database& db);
// Appends a row holding that data entry (the null id: a new empty one).
VX_HOST_API VxDbObjectId addRow(Database& db, VxDbObjectId partsList, const std::u16string& item,
                                std::int32_t quantity, VxDbObjectId dataEntry = {}, int state = 0);
VX_HOST_API std::vector<RowRecord> rowsOf(const Database& db, VxDbObjectId partsList);

// ---- data entries and part references ----
VX_HOST_API VxDbObjectId createDataEntry(Database& db, const VxmStringMap& data = {});
VX_HOST_API VxmStringMap dataEntryData(const Database& db, VxDbObjectId dataEntry);
// Each name and value in name order, without building the map: a save reads every row's.
VX_HOST_API void visitDataEntryData(
    const Database& db, VxDbObjectId dataEntry,
    const std::function<void(const std::u16string& name, const std::u16string& value)>& visit);
VX_HOST_API void setDataEntryData(Database& db, VxDbObjectId dataEntry, const VxmStringMap& data);
// The same from the map's pairs in name order, each name once: a load sets every row's.
VX_HOST_API void setDataEntryTexts(Database& db, VxDbObjectId dataEntry,
                                   std::span<const PackedTexts::Pair* const> byName);
VX_HOST_API bool isDataEntry(const Database& db, VxDbObjectId id);
// The part reference's data entry (null while it has none).
VX_HOST_API VxDbObjectId partRefDataEntry(const Database& db, VxDbObjectId partRef);
// The part references sharing the data entry, as getPartRefPaths reports them.
VX_HOST_API std::vector<std::vector<VxDbObjectId>> partRefPaths(const Database& db,
                                                                VxDbObjectId dataEntry);

// ---- part data of block records (model space: the drawing's own) ----
VX_HOST_API void setBlockPartData(Database& db, VxDbObjectId block, const VxmStringMap& data);
// None when the record never received part data.
VX_HOST_API std::optional<VxmStringMap> blockPartData(const Database& db, VxDbObjectId block);

// ---- the parts-list standard ----
// Replaces the columns of the current parts-list standard.
VX_HOST_API void setStandardColumns(Database& db, const std::vector<ColumnSpec>& columns);
VX_HOST_API std::vector<ColumnSpec> standardColumns(const Database& db);

// ---- 2D structure ----
VX_HOST_API void setStructure2d(Database& db, bool enabled);
VX_HOST_API bool structure2d(const Database& db);

}  // namespace sim
