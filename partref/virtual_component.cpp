#include "partref/virtual_component.h"

#include <optional>
#include <string>

#include "base/host_status_error.h"
#include "bom/bom_row.h"
#include "bom/row_cursor.h"
#include "bom/transfer_guards.h"
#include "host/vx_editor.h"
#include "host/vxm_bom.h"
#include "partref/create_part_ref.h"
#include "partref/place_further_part_ref.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"

namespace {

// The item's ident; empty when the PDM gives none.
std::u16string IdentOf(const char16_t* key) {
    std::optional<std::u16string> ident =
        PdmLink::Instance().QueryByKey(key, u"@(IDENT:t)", kPartFolder);
    if (!ident || IsPdmErrorAnswer(*ident)) {
        return {};
    }
    return std::move(*ident);
}

// The first row whose "ORBD_PARTNO" is the ident; the cursor is released before this returns.
// Throws HostStatusError when a row cannot be read.
std::optional<VxDbObjectId> FirstRowWithPartNumber(VxDbObjectId bomId,
                                                   const std::u16string& ident) {
    RowCursor cursor(bomId);
    if (!cursor) {
        return std::nullopt;
    }
    for (; !cursor.done(); cursor.step()) {
        const BomRow row = ReadBomRow(cursor.currentRowId());
        const auto partNumber = row.values.find(u"ORBD_PARTNO");
        if (partNumber != row.values.end() && partNumber->second == ident) {
            return row.rowId;
        }
    }
    return std::nullopt;
}

}  // namespace

std::int32_t CreateVirtualComponent(BomContext& context, const char16_t* key) {
    if (key == nullptr || key[0] == u'\0') {
        return -1;
    }
    if (LocateBom(context) == kBomMissing) {
        const Vx::ErrorStatus status =
            getVxmBomMgr()->createBom(context.bomId, VxDbObjectId::kNull, 0, true, 0);
        if (status != Vx::eOk || context.bomId.isNull()) {
            return -1;
        }
    } else if (const std::u16string ident = IdentOf(key); !ident.empty()) {
        std::optional<VxDbObjectId> row;
        try {
            row = FirstRowWithPartNumber(context.bomId, ident);
        } catch (const HostStatusError& failure) {
            vxutPrintf(u"\n%s\n", failure.text());
            return -1;
        }
        if (row) {
            return PlaceFurtherPartRef(*row);
        }
    }
    return CreatePartRef(context, key, kVirtualComponentSection.folder,
                         kVirtualComponentSection.name, false);
}
