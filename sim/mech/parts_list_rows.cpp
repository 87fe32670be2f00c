#include "sim/mech/parts_list_rows.h"

#include <algorithm>
#include <string>

#include "sim/mech/mech_state.h"

namespace sim {
namespace {

// The item's value when it is a plain decimal number that fits, else -1.
long long itemNumber(const std::u16string& item) {
    if (item.empty() || item.size() > 18) {
        return -1;
    }
    long long value = 0;
    for (const char16_t c : item) {
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::u16string itemText(long long number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

PartsListRow* rowOfDataEntry(const Database& db, const PartsList& list, VxDbObjectId dataEntry) {
    const VxDbObjectId row = list.rowOfEntry.find(dataEntry.asInt64());
    return row.isNull() ? nullptr : const_cast<PartsListRow*>(findIn<PartsListRow>(db, row));
}

std::u16string nextFreeItem(const Database& db, const PartsList& list) {
    long long highest = 0;
    for (const VxDbObjectId rowId : list.rows) {
        if (const PartsListRow* row = findIn<PartsListRow>(db, rowId)) {
            highest = std::max(highest, itemNumber(row->item.str()));
        }
    }
    return itemText(highest + 1);
}

std::u16string followingItem(const std::u16string& item) {
    const long long number = itemNumber(item);
    return number < 0 ? item : itemText(number + 1);  // an item too long to count stays next
}

VxDbObjectId appendRow(Database& db, PartsList& list, const VxString& item, std::int32_t quantity,
                       VxDbObjectId dataEntry, int state) {
    auto* row = new PartsListRow();
    row->partsList = list.objectId();
    row->item = item;
    row->quantity = quantity;
    row->dataEntry = dataEntry;
    row->state = state;
    const VxDbObjectId id = db.adopt(row);
    list.rows.push_back(id);
    list.rowOfEntry.insert(dataEntry.asInt64(), id);
    return id;
}

}  // namespace sim
