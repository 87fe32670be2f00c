#include "app/shell/item_selection.h"

#include <algorithm>

#include "app/common/text_conversion.h"
#include "app/shell/text_table.h"
#include "sim/pdm/pdm_control.h"

namespace {

constexpr const char16_t* kItemTable = u"Folder_All_Part";

std::u16string FieldOf(const sim::pdm::Record& record, const std::u16string& name) {
    const auto found = record.find(name);
    return found == record.end() ? std::u16string() : found->second;
}

}  // namespace

std::vector<SelectableItem> SelectableItems() {
    std::vector<SelectableItem> items;
    for (const sim::pdm::Record& record : sim::pdm::table(kItemTable)) {
        std::u16string key = FieldOf(record, u"ORBKEY");
        if (!key.empty()) {
            items.push_back({std::move(key), FieldOf(record, u"DESCRIPTION")});
        }
    }
    return items;
}

std::string ItemList(const std::vector<SelectableItem>& items, std::size_t shown) {
    if (items.empty()) {
        return "The PDM offers no items (Folder_All_Part holds no ORBKEY).\n";
    }
    TextTable table{{"ORBKEY", "DESCRIPTION"}, {}, {}};
    for (std::size_t i = 0; i < items.size() && i < shown; ++i) {
        table.rows.push_back({Utf8(items[i].key), Utf8(items[i].description)});
    }
    std::string text = FormatTable(table);
    if (items.size() > shown) {
        text += "... and " + std::to_string(items.size() - shown) + " more\n";
    }
    return text;
}

bool Offers(const std::vector<SelectableItem>& items, const std::u16string& key) {
    return std::any_of(items.begin(), items.end(),
                       [&](const SelectableItem& item) { return item.key == key; });
}
