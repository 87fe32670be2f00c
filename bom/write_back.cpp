#include "bom/write_back.h"

#include <optional>
#include <string>

#include "base/host_status_error.h"
#include "bom/bom_row.h"
#include "bom/row_cursor.h"
#include "host/vx_editor.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_answer.h"
#include "pdm/pdm_link.h"

namespace {

// A usable ident: present and not empty. The PDM's error answer is not a part number and
// must not end up in the drawing.
bool IsPartNumber(const std::optional<std::u16string>& answer) {
    return answer && !answer->empty() && !IsPdmErrorAnswer(*answer);
}

void WriteBackRows(BomContext& context) {
    PdmLink& pdm = PdmLink::Instance();
    RowCursor cursor(context.bomId);
    if (!cursor) {
        throw HostStatusError(pdm.GetText(kTextNoRowCursor));
    }
    for (; !cursor.done(); cursor.step()) {
        const BomRow row = ReadBomRow(cursor.currentRowId());
        if (row.values.count(u"ORBKEY") != 0) {
            continue;
        }
        std::optional<std::u16string> ident = pdm.FindChildIdentByPosition(row.item.c_str());
        if (!IsPartNumber(ident)) {
            continue;
        }
        const VxmStringMap cells{{u"ORBD_PARTNO", std::move(*ident)}};
        getVxmBomMgr()->writeRow(row.rowId, row.item.c_str(), row.quantity, cells);
    }
}

}  // namespace

std::int32_t WriteBackPartNumbers(BomContext& context) {
    try {
        WriteBackRows(context);
    } catch (const HostStatusError& failure) {
        vxedAlert(failure.text().c_str());
        return -1;
    }
    return 0;
}
