#include "module/inserted_entity_list.h"

void InsertedEntityList::restart(const VxDbDatabase* database) {
    database_ = database;
    added_.clear();
    ids_.removeAll();
    live_.clear();
    removed_.clear();
    gaps_ = 0;
}

void InsertedEntityList::append(VxDbObjectId id) {
    if (id.isNull()) {
        return;
    }
    added_.insert(id.asInt64());
    ++live_[id.asInt64()];
    ids_.append(id);
}

void InsertedEntityList::restore(VxDbObjectId id) {
    if (added_.count(id.asInt64()) == 0 || live_.count(id.asInt64()) != 0) {
        return;
    }
    ++live_[id.asInt64()];
    ids_.append(id);
}

void InsertedEntityList::removeFirst(VxDbObjectId id) {
    const auto found = live_.find(id.asInt64());
    if (found == live_.end()) {
        return;
    }
    if (--found->second == 0) {
        live_.erase(found);
    }
    ++removed_[id.asInt64()];
    ++gaps_;
    // Squeezing once the removals outnumber the entries keeps the work per removal constant.
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
    int kept = 0;
    for (int i = 0; i < ids_.length(); ++i) {
        const VxDbObjectId id = ids_[i];
        const auto removed = removed_.find(id.asInt64());
        if (removed != removed_.end() && removed->second > 0) {
            --removed->second;
            continue;
        }
        ids_[kept++] = id;
    }
    ids_.setLogicalLength(kept);
    removed_.clear();
    gaps_ = 0;
}
