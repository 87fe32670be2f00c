#include "app/import/bom_drawing.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "app/common/terminal_text.h"
#include "app/import/import_error.h"

namespace {

using nlohmann::json;

// Drawing units between neighbouring part references of the grid.
constexpr std::size_t kGridSpacing = 10;

std::size_t ColumnIndex(const DelimitedTable& table, const std::string& name) {
    for (std::size_t i = 0; i < table.header.size(); ++i) {
        if (table.header[i] == name) {
            return i;
        }
    }
    throw ImportError(table.headerLine, "the header has no column \"" + name +
                                            "\" (the names ITEM and QTY are exact, as the "
                                            "module's export writes them)");
}

// What the export writes with "%d", nothing else: the round trip gives the same bytes.
std::int32_t Quantity(const DelimitedRecord& record, std::size_t column) {
    const std::string& text = record.fields[column];
    std::int32_t quantity = 0;
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, quantity);
    if (text.empty() || fault != std::errc() || stop != end) {
        throw ImportError(record.line, "QTY \"" + EscapeControls(text, EscapeForm::kUnicode) +
                                           "\" is not a whole number of 32 bits");
    }
    return quantity;
}

}  // namespace

json BomDrawing(const DelimitedTable& table, bool partRefs) {
    const std::size_t itemColumn = ColumnIndex(table, "ITEM");
    const std::size_t qtyColumn = ColumnIndex(table, "QTY");
    json columns = json::array();
    for (const std::string& name : table.header) {
        columns.push_back({{"name", name}});
    }
    const std::size_t count = table.records.size();
    const auto gridWidth =
        static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(count))));
    json rows = json::array();
    json entities = json::array();
    for (std::size_t i = 0; i < count; ++i) {
        const DelimitedRecord& record = table.records[i];
        json cells = json::object();
        for (std::size_t c = 0; c < table.header.size(); ++c) {
            // An empty field is a cell never filled in: the module tells "no key" (no cell)
            // from an empty key, and the export writes both alike.
            if (c != itemColumn && c != qtyColumn && !record.fields[c].empty()) {
                cells[table.header[c]] = record.fields[c];
            }
        }
        json row = {{"item", record.fields[itemColumn]},
                    {"qty", Quantity(record, qtyColumn)},
                    {"cells", std::move(cells)}};
        if (partRefs) {
            const std::size_t number = i + 1;
            row["dataEntry"] = number;
            entities.push_back(
                {{"handle", number},
                 {"type", "partref"},
                 {"dataEntry", number},
                 {"position", {i % gridWidth * kGridSpacing, i / gridWidth * kGridSpacing}}});
        }
        rows.push_back(std::move(row));
    }
    json drawing = {{"boms", json::array({{{"owner", nullptr}, {"rows", std::move(rows)}}})},
                    {"standard", {{"columns", std::move(columns)}}}};
    if (partRefs) {
        drawing["entities"] = std::move(entities);
    }
    return drawing;
}
