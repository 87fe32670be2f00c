// RowKey: which PDM record a parts-list row is refreshed from.
#pragma once

#include <string>

#include "bom/bom_row.h"

struct RowKey {
    std::u16string key;  // empty: the row is left unchanged
    const char16_t* section = nullptr;
    const char16_t* database = nullptr;  // null: "Folder_All_Document"
};

// The row's stored "ORBKEY" (even an empty one, which leaves the row alone); without one,
// the key the PDM answers for its "ORBD_PARTNO" and, when not blank, its "ORBD_PARTREV". An
// empty answer, the PDM's error answer or an answer holding several keys gives no key.
RowKey SelectRowKey(const BomRow& row);
