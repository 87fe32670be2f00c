// The PDM's item selection on the terminal: the items it offers (the records of
// Folder_All_Part, by their ORBKEY, in the PDM's order) and which typed keys it takes.
#pragma once

#include <string>
#include <vector>

struct SelectableItem {
    std::u16string key;
    std::u16string description;
};

// The items of the PDM now; records without an ORBKEY cannot be chosen and are left out.
std::vector<SelectableItem> SelectableItems();

// The items as a table of key and description, at most `shown` of them and a line that
// counts the rest; a line saying so when there are none.
std::string ItemList(const std::vector<SelectableItem>& items, std::size_t shown);

// Whether the key (as typed, compared exactly as the PDM compares keys) is one of the items.
bool Offers(const std::vector<SelectableItem>& items, const std::u16string& key);
