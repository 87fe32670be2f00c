// RowSources: the value of a parts-list transfer source ("FILENAME", "ITEM", "QTY" or a
// column name) for one row, as the transfer sends it.
#pragma once

#include <optional>
#include <string>

#include "bom/bom_row.h"

class RowSources {
  public:
    explicit RowSources(const BomRow& row);

    // Sources are matched case-sensitively; a column the row has no cell for is empty. The
    // external-reference path is looked up once, and only when a source asks for it.
    const std::u16string& ValueOf(const std::u16string& source);

  private:
    const BomRow& row_;
    std::u16string quantity_;
    std::optional<std::u16string> fileName_;
    const std::u16string empty_;
};
