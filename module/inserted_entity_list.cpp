#include "module/inserted_entity_list.h"

#include <algorithm>

void InsertedEntityList::clear() {
    ids_.removeAll();
    positions_.clear();
    gaps_ = 0;
}

void InsertedEntityList::append(VxDbObjectId id) {
    if (id.isNull()) {
        return;
    }
    positions_[id.asInt64()].push_back(ids_.length());
    ids_.append(id);
}

void InsertedEntityList::removeFirst(VxDbObjectId id) {
    const auto found = positions_.find(id.asInt64());
    if (found == positions_.end()) {
        return;
    }
    std::vector<int>& at = found->second;
    ids_[at.front()] = VxDbObjectId::kNull;
    at.erase(at.begin());
    if (at.empty()) {
        positions_.erase(found);
    }
    ++gaps_;
    // Squeezing once the gaps outnumber the entries keeps the work per removal constant.
    if (gaps_ > ids_.length() - gaps_) {
        squeeze();
    }
}

const VxDbObjectIdArray& InsertedEntityList::ids() const {
    if (gaps_ != 0) {
        squeeze();
    }
    return ids_;
}

void InsertedEntityList::squeeze() const {
    const auto kept = std::remove(ids_.begin(), ids_.end(), VxDbObjectId::kNull);
    ids_.setLogicalLength(static_cast<int>(kept - ids_.begin()));
    positions_.clear();
    for (int i = 0; i < ids_.length(); ++i) {
        positions_[ids_[i].asInt64()].push_back(i);
    }
    gaps_ = 0;
}
