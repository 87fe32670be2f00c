#include "bom/row_sources.h"

#include "bom/external_reference_path.h"
#include "host/vx_string.h"

RowSources::RowSources(const BomRow& row)
    : row_(row), quantity_(VxString::format(u"%d", row.quantity).str()) {}

const std::u16string& RowSources::ValueOf(const std::u16string& source) {
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
