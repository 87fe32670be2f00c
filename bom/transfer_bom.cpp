#include "bom/transfer_bom.h"

#include <string>

#include "base/host_status_error.h"
#include "bom/bom_columns.h"
#include "bom/bom_row.h"
#include "bom/configuration_error.h"
#include "bom/row_cursor.h"
#include "bom/row_sources.h"
#include "bom/transfer_frame.h"
#include "bom/write_back.h"
#include "config/ini_file.h"
#include "host/vx_editor.h"
#include "pdm/catalogue_texts.h"
#include "pdm/mapping_sections.h"
#include "pdm/pdm_link.h"

namespace {

// The pairs of the transfer section: PDM field name to BOM source. Throws the configuration
// message when the file or the section is missing or empty.
SectionEntries ReadTransferMapping() {
    CIniFile& mapping = PdmLink::Instance().GetBomMappingFile();
    if (mapping.LoadState() == kIniFileNotOpened) {
        throw ConfigurationError(mapping.GetFileName(), kTextKeyMappingFileUnreadable);
    }
    const char16_t* const section = kBomTransferSection.name;
    if (!mapping.HasSection(section)) {
        throw ConfigurationError(section, kTextKeyMappingSectionMissing);
    }
    SectionEntries pairs;
    if (!mapping.ReadSection(section, false, pairs)) {
        throw ConfigurationError(mapping.GetFileName(), kTextKeyMappingSectionMissing);
    }
    return pairs;
}

void SendElement(const BomRow& row, const SectionEntries& pairs) {
    RowSources sources(row);
    ElementFrame element;
    for (const auto& [field, source] : pairs) {
        const std::u16string& value = sources.ValueOf(source);
        if (value.empty()) {
            continue;
        }
        if (!element.Send(VxString::format(u"%s \"%s\"", field, value).c_str())) {
            break;
        }
    }
}

std::int32_t SendRows(BomContext& context) {
    EnsureBomColumns(context);
    PrepareBomRows(context);
    RowCursor cursor(context.bomId);
    if (!cursor) {
        throw HostStatusError(PdmLink::Instance().GetText(kTextNoRowCursor));
    }
    const SectionEntries pairs = ReadTransferMapping();

    TransferFrame frame;
    if (const std::int32_t refused = frame.Start(); refused != 0) {
        return refused;
    }
    for (; !cursor.done(); cursor.step()) {
        const BomRow row = ReadBomRow(cursor.currentRowId());
        if (!row.item.empty()) {
            SendElement(row, pairs);
        }
    }
    frame.Finish();
    return WriteBackPartNumbers(context);
}

}  // namespace

std::int32_t TransferBom(BomContext& context) {
    try {
        return SendRows(context);
    } catch (const HostStatusError& failure) {
        vxedAlert(failure.text().c_str());
        return -1;
    }
}
