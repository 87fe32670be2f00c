// The mechanical layer's parts-list (BOM) manager.
//
// A parts list is owned by a block (the null block id: model space) and holds rows. A row
// has an id, an item text, a 32-bit quantity and cells (column name to text); the cells are
// the data of the row's data entry, which the row's part references share, so a row's cells
// and its part references' part data are one and the same map.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "host/vx_array.h"
#include "host/vx_db_object_id.h"
#include "host/vx_export.h"
#include "host/vx_status.h"
#include "host/vx_string.h"

// Part data and row cells: field name to value.
using VxmStringMap = std::map<std::u16string, std::u16string>;

// Walks the rows of one parts list in row order. Release it with release(), not delete.
class VX_HOST_API VxmBOMRowCursor {
  public:
    virtual void release() = 0;
    virtual VxDbObjectId currentRowId() const = 0;
    virtual bool done() const = 0;
    virtual void step() = 0;

  protected:
    virtual ~VxmBOMRowCursor();
};

class VX_HOST_API VxmBOMManager {
  public:
    // Creates a parts list owned by ownerBlock (null: model space) and writes its id.
    virtual Vx::ErrorStatus createBom(VxDbObjectId& bomId, VxDbObjectId ownerBlock, int reserved,
                                      bool makeCurrent, int flags) = 0;
    // Id (and name) of the parts list of a block; null block: model space. Not finding one is
    // not an error: bomId stays null.
    virtual Vx::ErrorStatus findBom(VxDbObjectId& bomId, VxString& name, VxDbObjectId ownerBlock,
                                    int flags) = 0;
    // Id of the drawing's current parts list, if any.
    virtual Vx::ErrorStatus getBom(VxDbObjectId& bomId, int flags) = 0;
    // A cursor over the rows of the parts list in row order, or null when there is no such
    // parts list. The cursor walks the rows the list held when it was made.
    virtual VxmBOMRowCursor* newRowCursor(VxDbObjectId bomId, int flags, int order) = 0;
    // Part data of a part reference, an external-reference block reference (its block
    // record's) or a block record (model space's: the drawing's own). Read and written whole.
    // An object of another kind (an ordinary block reference, a line) answers
    // Vx::eNotApplicable; a block record that never received part data answers
    // Vx::eKeyNotFound, except model space, whose part data start empty. On failure data is
    // left as it was.
    virtual Vx::ErrorStatus getPartData(VxDbObjectId objectId, VxmStringMap& data) = 0;
    virtual Vx::ErrorStatus setPartData(VxDbObjectId objectId, const VxmStringMap& data) = 0;
    // Hands part references to a parts list; a part whose data entry has no row gets one.
    virtual Vx::ErrorStatus addPartRefsToBom(VxDbObjectId bomId, const VxDbObjectIdArray& partRefs,
                                             VxDbObjectIdArray& rowIds, int flags) = 0;
    // Writes item, quantity and cells; cells that the map does not name keep their values.
    // A null item keeps the row's item.
    virtual Vx::ErrorStatus writeRow(VxDbObjectId rowId, const char16_t* item,
                                     std::int32_t quantity, const VxmStringMap& cells) = 0;
    // Reads item, quantity and all cells of a row (cells is cleared first).
    virtual Vx::ErrorStatus readRow(VxDbObjectId rowId, VxString& item, std::int32_t& quantity,
                                    VxmStringMap& cells, VxDbObjectId owner) = 0;
    // Row state: first is the row's data entry, second its parts list, flag is nonzero while
    // the row awaits a refresh (rows that addPartRefsToBom creates start with 1).
    virtual Vx::ErrorStatus getRowState(VxDbObjectId rowId, VxDbObjectId& first,
                                        VxDbObjectId& second, int& flag) = 0;
    // Sets the row's state flag.
    virtual Vx::ErrorStatus setRowState(VxDbObjectId rowId, int value) = 0;
    // The row's part references as id paths from the outermost model-space entity down to
    // the part reference, in model-space entity order, erased entities left out; the paths are
    // appended to paths, which owns them. second receives the part references themselves.
    virtual Vx::ErrorStatus getPartRefPaths(VxDbObjectId rowId,
                                            VxmCObjArray<VxArray<VxDbObjectId>>& paths,
                                            VxDbObjectIdArray& second) = 0;

  protected:
    virtual ~VxmBOMManager();
};

VX_HOST_API VxmBOMManager* getVxmBomMgr();
