#include "bom/transfer_bom.h"

#include <optional>
#include <string>

#include "bom/bom_columns.h"
#include "bom/bom_row.h"
#include "bom/configuration_error.h"
#include "bom/external_reference_path.h"
#include "bom/row_cursor.h"
#include "bom/transfer_frame.h"
#include "bom/write_back.h"
#include "config/ini_file.h"
#include "host/vx_editor.h"
#include "partref/host_status_error.h"
#include "pdm/catalogue_texts.h"
#include "pdm/pdm_link.h"

namespace {

constexpr const char16_t* kSection = u"VexaBomToKORDANE";

// The pairs of "VexaBomToKORDANE": PDM field name to BOM source. Throws the configuration
// message when the file or the section is missing or empty.
SectionEntries ReadTransferMapping() {
    CIniFile& mapping = PdmLink::Instance().GetBomMappingFile();
    if (mapping.LoadState() == kIniFileNotOpened) {
        throw ConfigurationError(mapping.GetFileName(), u"VX16300");
    }
    if (!mapping.HasSection(kSection)) {
        throw ConfigurationError(kSection, u"VX16301");
    }
    SectionEntries pairs;
    if (!mapping.ReadSection(kSection, false, pairs)) {
        throw ConfigurationError(mapping.GetFileName(), u"VX16301");
    }
    return pairs;
}

// The values of one row by BOM source; the external-reference path is looked up once, and
// only when a pair asks for it.
class RowSources {
  public:
    explicit RowSources(const BomRow& row)
        : row_(row), quantity_(VxString::format(u"%d", row.quantity).str()) {}

    const std::u16string& ValueOf(const std::u16string& source) {
        if (source == u"FILENAME") {
            if (!fileName_) {
                fileName_ = ExternalReferencePath(row_.rowId);
            }
            return *fileName_;
        }
        if (source == u"ITEM") {
            return row_.item;
        }
        if (source == u"QTY") {
            return quantity_;
        }
        const auto cell = row_.values.find(source);
        return cell != row_.values.end() ? cell->second : empty_;
    }

  private:
    const BomRow& row_;
    std::u16string quantity_;
    std::optional<std::u16string> fileName_;
    const std::u16string empty_;
};

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
