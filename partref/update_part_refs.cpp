#include "partref/update_part_refs.h"

#include "partref/part_data_merge.h"

#include <optional>
#include <string>
#include <vector>

#include "base/host_status_error.h"
#include "base/smart_ptr.h"
#include "bom/bom_columns.h"
#include "bom/bom_row.h"
#include "bom/fetch_pdm_values.h"
#include "bom/row_cursor.h"
#include "host/vx_db.h"
#include "host/vx_editor.h"
#include "host/vxm_bom.h"
#include "partref/create_part_ref.h"
#include "partref/row_key.h"
#include "pdm/catalogue_texts.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_link.h"

namespace {

std::int32_t RefreshRows(BomContext& context) {
    EnsureBomColumns(context);
    PrepareBomRows(context);
    RowCursor cursor(context.bomId);
    if (!cursor) {
        throw HostStatusError(PdmLink::Instance().GetText(kTextNoRowCursor));
    }
    std::int32_t result = 0;
    for (; !cursor.done(); cursor.step()) {
        const BomRow row = ReadBomRow(cursor.currentRowId());
        const RowKey key = SelectRowKey(row);
        if (key.key.empty()) {
            continue;
        }
        VxmStringMap values;
        result = FetchPdmValues(context, key.key.c_str(), values, key.section, key.database);
        if (result != 0) {
            continue;
        }
        // A refused write is a host failure like a refused read: the user must hear of it.
        ThrowIfHostFailed(
            getVxmBomMgr()->writeRow(row.rowId, row.item.c_str(), row.quantity, values));
    }
    return result;
}

// The id of "*Model_Space", with the block table closed again at once; none when the table
// does not open.
std::optional<VxDbObjectId> ModelSpaceId() {
    VxDbDatabase* database = vxdbHostApplicationServices()->workingDatabase();
    if (database == nullptr) {
        return std::nullopt;
    }
    SmartPtr<VxDbBlockTable> table;
    if (database->getSymbolTable(table.slot(), VxDb::kForRead) != Vx::eOk) {
        return std::nullopt;
    }
    VxDbObjectId id;
    table->getAt(u"*Model_Space", id, false);
    return id;
}

}  // namespace

std::int32_t UpdatePartRefsFromPdm(BomContext& context) {
    try {
        return RefreshRows(context);
    } catch (const HostStatusError& failure) {
        vxedAlert(failure.text().c_str());
        return -1;
    }
}

std::int32_t SyncPartData(BomContext& context, const char16_t* key) {
    if (key == nullptr || key[0] == u'\0') {
        return -1;
    }
    const std::optional<VxDbObjectId> modelSpace = ModelSpaceId();
    if (!modelSpace) {
        return -1;
    }
    VxmStringMap values;
    std::vector<std::u16string> unanswered;
    if (FetchPdmValues(context, key, values, kPartDataSection.name, kPartDataSection.folder,
                       &unanswered) != 0 ||
        values.empty()) {
        return 0;
    }
    EnsureBomColumns(context);
    if (const Vx::ErrorStatus refused = MergePartData(*modelSpace, key, values, unanswered)) {
        vxutPrintf(u"\n%s\n", vexaErrorStatusText(refused));
        return kPartDataRefused;
    }
    return 0;
}
