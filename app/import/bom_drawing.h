// The drawing of an imported scenario: one parts list in model space with a row per record of
// the table, and the parts-list standard with a visible column per column of the table.
#pragma once

#include <nlohmann/json.hpp>

#include "app/import/delimited_table.h"

// "ITEM" and "QTY" (exact names, as the module's export writes them) give each row's item and
// quantity; every other column gives the row's cell of that name, unless the field is empty.
// partRefs: each row also gets
// a data entry of its own and a part reference in model space holding it, placed on a grid.
// Throws ImportError with the line: no "ITEM" or "QTY" column, a quantity that is not a whole
// number of 32 bits.
nlohmann::json BomDrawing(const DelimitedTable& table, bool partRefs);
