// Row work shared by the BOM manager and the control API: finding a data entry's row in a
// parts list, the next free item number, and adding rows.
#pragma once

#include <cstdint>

#include "sim/host/database.h"
#include "sim/mech/mech_objects.h"

namespace sim {

// The row of the parts list that holds that data entry, or null.
PartsListRow* rowOfDataEntry(const Database& db, const PartsList& list, VxDbObjectId dataEntry);
// One more than the largest item number of the list that is a plain decimal number; items
// that are not such numbers do not count.
std::u16string nextFreeItem(const Database& db, const PartsList& list);
// What nextFreeItem answers once a row with that item (one it answered) has been appended.
std::u16string followingItem(const std::u16string& item);
// Appends a row to the list; the row takes the data entry as it is (it must not be null).
VxDbObjectId appendRow(Database& db, PartsList& list, const VxString& item, std::int32_t quantity,
                       VxDbObjectId dataEntry, int state);

}  // namespace sim
