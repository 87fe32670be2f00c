#include "bom/export_bom.h"

#include <vector>

#include "base/host_status_error.h"
#include "bom/bom_row.h"
#include "bom/bom_standard.h"
#include "bom/export_file.h"
#include "bom/row_cursor.h"
#include "host/vx_editor.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"

namespace {

void WriteHeader(ExportFile& file, const std::vector<std::u16string>& columns) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i != 0) {
            file.Write(u'\t');
        }
        file.Write(columns[i]);
    }
    file.Write(u"\r\n");
}

void WriteRow(ExportFile& file, const std::vector<std::u16string>& columns, const BomRow& row) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i != 0) {
            file.Write(u'\t');
        }
        const std::u16string& name = columns[i];
        if (name == u"ITEM") {
            file.Write(row.item);
        } else if (name == u"QTY") {
            file.Write(VxString::format(u"%d", row.quantity).str());
        } else if (const auto cell = row.values.find(name); cell != row.values.end()) {
            file.Write(cell->second);
        }
    }
    file.Write(u"\r\n");
}

void WriteBom(BomContext& context, ExportFile& file) {
    file.Write(u'\xFEFF');
    PrepareBomRows(context);
    RowCursor cursor(context.bomId);
    if (!cursor) {
        throw HostStatusError(PdmLink::Instance().GetText(kTextNoRowCursor));
    }
    const std::vector<std::u16string> columns = VisibleBomColumns();
    WriteHeader(file, columns);
    for (; !cursor.done(); cursor.step()) {
        WriteRow(file, columns, ReadBomRow(cursor.currentRowId()));
    }
    // A file the disk did not take whole must not be handed to the PDM as if it were.
    if (!file.Close()) {
        ThrowIfHostFailed(Vx::eFileAccessErr);
    }
}

}  // namespace

std::u16string ExportFilePath() {
    PdmLink& pdm = PdmLink::Instance();
    const std::u16string key = pdm.GetEnv(u"ORBKEY");
    const std::size_t stop = key.find(u'.');
    const std::u16string prefix = stop == std::u16string::npos ? u"" : key.substr(0, stop);
    return pdm.GetEnv(u"WSPATH") + prefix + u"KorBom.txt";
}

std::int32_t ExportBom(BomContext& context) {
    const std::u16string path = ExportFilePath();
    try {
        {
            ExportFile file(path);
            if (!file.IsOpen()) {
                vxedAlert(VxString::format(u"Can't create file: %s", path).c_str());
                return -1;
            }
            WriteBom(context, file);
        }
        PdmLink::Instance().CallCommand(u"NewExternBom",
                                        VxString::format(u"\"%s\" 1", path).c_str());
    } catch (const HostStatusError& failure) {
        vxedAlert(failure.text().c_str());
        return -1;
    }
    return 0;
}
