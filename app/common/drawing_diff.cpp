#include "app/common/drawing_diff.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "sim/scenario/json_pointer.h"

namespace {

using nlohmann::json;

const json& Member(const json& object, const char* key) {
    static const json kNone;
    if (!object.is_object()) {
        return kNone;
    }
    const auto it = object.find(key);
    return it == object.end() ? kNone : *it;
}

const json& EmptyList() {
    static const json kEmpty = json::array();
    return kEmpty;
}

const json& EmptyObject() {
    static const json kEmpty = json::object();
    return kEmpty;
}

const json& List(const json& value) {
    return value.is_array() ? value : EmptyList();
}

const json& Object(const json& value) {
    return value.is_object() ? value : EmptyObject();
}

// A name or number as it appears in a place: texts bare, anything else as JSON.
std::string Plain(const json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

std::string Join(const std::string& base, const std::string& segment) {
    // A group has no leading "/": its name is the first token.
    return base.empty() ? sim::jsonPointerChild("", segment).substr(1)
                        : sim::jsonPointerChild(base, segment);
}

std::string EntityName(const json& entity) {
    const json& type = Member(entity, "type");
    const std::string kind = type == "partref"    ? "part reference"
                             : type == "blockref" ? "block reference"
                             : type.is_string()   ? type.get<std::string>()
                                                  : "entity";
    return kind + " " + Plain(Member(entity, "handle"));
}

// Values as keys of hash maps without copying them. Numbers hash by value, so that 7 read
// from a file and 7 set by a program, equal as JSON, find each other.
struct ValueHash {
    std::size_t operator()(const json* value) const {
        if (value->is_number()) {
            return std::hash<double>{}(value->get<double>());
        }
        if (value->is_string()) {
            return std::hash<std::string>{}(value->get_ref<const std::string&>());
        }
        return std::hash<json>{}(*value);
    }
};
struct ValueEqual {
    bool operator()(const json* a, const json* b) const { return *a == *b; }
};
template <class T>
using ByValue = std::unordered_map<const json*, T, ValueHash, ValueEqual>;
using ValueSet = std::unordered_set<const json*, ValueHash, ValueEqual>;

std::string PartsListGroup(const json& owner) {
    return owner.is_null() ? "parts list (model space)" : "parts list (block " + Plain(owner) + ")";
}

// What one drawing offers for matching: its entities by handle and the data entries its rows
// hold.
class DrawingIndex {
  public:
    explicit DrawingIndex(const json& drawing) : drawing_(drawing) {
        entities_.reserve(List(Member(drawing, "entities")).size());
        Take(Member(drawing, "entities"), ModelSpace());
        for (const json& block : List(Member(drawing, "blocks"))) {
            Take(Member(block, "entities"), Member(block, "name"));
        }
        for (const json& bom : List(Member(drawing, "boms"))) {
            for (const json& row : List(Member(bom, "rows"))) {
                const json& entry = Member(row, "dataEntry");
                if (!entry.is_null()) {
                    rowEntries_.insert(&entry);
                }
            }
        }
    }

    const json& drawing() const { return drawing_; }
    // An entity of the same handle and where it is: null for model space, else the block's
    // name.
    struct Placed {
        const json* entity;
        const json* owner;
    };
    std::optional<Placed> Entity(const json& entity) const {
        const auto it = entities_.find(&Member(entity, "handle"));
        return it == entities_.end() ? std::nullopt : std::optional<Placed>(it->second);
    }
    static const json& ModelSpace() {
        static const json kModelSpace;
        return kModelSpace;
    }
    bool HeldByRow(const json& entry) const { return rowEntries_.count(&entry) != 0; }
    // The cells of a data entry that no row holds.
    const json& FreeData(const json& entry) const {
        return Object(Member(Member(drawing_, "dataEntries"), Plain(entry).c_str()));
    }

  private:
    void Take(const json& entities, const json& owner) {
        for (const json& entity : List(entities)) {
            entities_.emplace(&Member(entity, "handle"), Placed{&entity, &owner});
        }
    }

    const json& drawing_;
    ByValue<Placed> entities_;
    ValueSet rowEntries_;
};

// Rows of one side, findable by a key (data entry or item), each taken at most once. Rows of
// one key are chained through next_, so that a drawing of many rows costs one map node a key.
class RowKeys {
  public:
    explicit RowKeys(std::size_t rows) : next_(rows, npos) { byKey_.reserve(rows); }
    // Rows are added in their order.
    void Add(const json& key, std::size_t index) {
        const auto [it, fresh] = byKey_.try_emplace(&key, Chain{index, index});
        if (!fresh) {
            next_[it->second.tail] = index;
            it->second.tail = index;
        }
    }
    // The first row of that key not yet taken, or npos.
    std::size_t Find(const json& key, const std::vector<bool>& taken) {
        const auto it = byKey_.find(&key);
        if (it == byKey_.end()) {
            return npos;
        }
        std::size_t& head = it->second.head;
        while (head != npos && taken[head]) {
            head = next_[head];
        }
        return head;
    }
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  private:
    struct Chain {
        std::size_t head;
        std::size_t tail;
    };
    ByValue<Chain> byKey_;
    std::vector<std::size_t> next_;
};

class Differ {
  public:
    Differ(const json& before, const json& after) : before_(before), after_(after) {}

    std::vector<DrawingChange> Run() {
        const json& was = before_.drawing();
        const json& is = after_.drawing();
        CompareFields("partData", "drawing", Object(Member(was, "partData")),
                      Object(Member(is, "partData")), nullptr);
        Entities("drawing", DrawingIndex::ModelSpace(), Member(was, "entities"),
                 Member(is, "entities"));
        Blocks(Member(was, "blocks"), Member(is, "blocks"));
        PartsLists(Member(was, "boms"), Member(is, "boms"));
        Standard(List(Member(Member(was, "standard"), "columns")),
                 List(Member(Member(is, "standard"), "columns")));
        return std::move(changes_);
    }

  private:
    void Add(const char* what, std::string where, json oldValue, json newValue) {
        changes_.push_back(
            {what, std::move(where), std::move(oldValue), std::move(newValue), place_});
    }
    // An absent text and an empty one read the same to the module.
    static bool Blank(const char* what, const json& value) {
        return (std::string_view(what) == "cell" || std::string_view(what) == "partData") &&
               value.is_string() && value.get_ref<const std::string&>().empty();
    }

    // Compares two objects key by key in key order; skip names a key that is compared
    // elsewhere.
    void CompareFields(const char* what, const std::string& base, const json& was, const json& is,
                       const char* skip) {
        auto a = was.begin();
        auto b = is.begin();
        while (a != was.end() || b != is.end()) {
            const bool fromBefore = b == is.end() || (a != was.end() && a.key() < b.key());
            const bool fromAfter = a == was.end() || (b != is.end() && b.key() < a.key());
            const std::string& key = fromBefore ? a.key() : b.key();
            if (skip == nullptr || key != skip) {
                if (fromBefore) {
                    if (!Blank(what, *a)) {
                        Add(what, Join(base, key), *a, nullptr);
                    }
                } else if (fromAfter) {
                    if (!Blank(what, *b)) {
                        Add(what, Join(base, key), nullptr, *b);
                    }
                } else if (*a != *b) {
                    Add(what, Join(base, key), *a, *b);
                }
            }
            if (!fromAfter) {
                ++a;
            }
            if (!fromBefore) {
                ++b;
            }
        }
    }

    // An entity is found by its handle wherever it is; one now in another block (or model
    // space) moved there.
    void Entities(const std::string& group, const json& owner, const json& was, const json& is) {
        for (const json& entity : List(is)) {
            const std::optional<DrawingIndex::Placed> found = before_.Entity(entity);
            if (!found) {
                Add("entity", Join(group, EntityName(entity)), nullptr, entity);
                continue;
            }
            const json& earlier = *found->entity;
            if (*found->owner != owner) {
                Add("entity", Join(Join(group, EntityName(entity)), "owner"), *found->owner, owner);
            }
            if (earlier != entity) {
                CompareFields("entity", Join(group, EntityName(entity)), Object(earlier),
                              Object(entity), "handle");
            }
            PartReferenceData(group, earlier, entity);
        }
        for (const json& entity : List(was)) {
            if (!after_.Entity(entity)) {
                Add("entity", Join(group, EntityName(entity)), entity, nullptr);
            }
        }
    }

    // A part reference's own data entry; one that a row holds is compared as that row.
    void PartReferenceData(const std::string& group, const json& was, const json& is) {
        const json& wasEntry = Member(was, "dataEntry");
        const json& isEntry = Member(is, "dataEntry");
        if (Member(is, "type") != "partref" || (wasEntry.is_null() && isEntry.is_null())) {
            return;
        }
        if (before_.HeldByRow(wasEntry) || after_.HeldByRow(isEntry)) {
            return;
        }
        const json& wasData = before_.FreeData(wasEntry);
        const json& isData = after_.FreeData(isEntry);
        if (wasData != isData) {
            CompareFields("partData", Join(group, EntityName(is)), wasData, isData, nullptr);
        }
    }

    void Blocks(const json& was, const json& is) {
        std::unordered_map<std::string, const json*> earlier;
        for (const json& block : List(was)) {
            earlier.emplace(Plain(Member(block, "name")), &block);
        }
        std::unordered_set<std::string> seen;
        for (const json& block : List(is)) {
            const std::string name = Plain(Member(block, "name"));
            seen.insert(name);
            const auto it = earlier.find(name);
            const json& before = it == earlier.end() ? EmptyObject() : *it->second;
            Block(before, block);
        }
        for (const json& block : List(was)) {
            if (seen.count(Plain(Member(block, "name"))) == 0) {
                Block(block, EmptyObject());
            }
        }
    }

    void Block(const json& was, const json& is) {
        const std::string group = Join("", "block " + Plain(Member(is.empty() ? was : is, "name")));
        CompareFields("partData", group, Object(Member(was, "partData")),
                      Object(Member(is, "partData")), nullptr);
        Entities(group, Member(is.empty() ? was : is, "name"), Member(was, "entities"),
                 Member(is, "entities"));
    }

    // Parts lists are told apart by their owner; a second one of the same owner gets "#2".
    static std::vector<std::string> PartsListGroups(const json& boms) {
        std::vector<std::string> groups;
        std::unordered_map<std::string, int> count;
        for (const json& bom : List(boms)) {
            std::string group = PartsListGroup(Member(bom, "owner"));
            const int nth = ++count[group];
            groups.push_back(Join("", nth == 1 ? group : group + " #" + std::to_string(nth)));
        }
        return groups;
    }

    void PartsLists(const json& was, const json& is) {
        const std::vector<std::string> wasGroups = PartsListGroups(was);
        const std::vector<std::string> isGroups = PartsListGroups(is);
        std::unordered_map<std::string, const json*> earlier;
        for (std::size_t i = 0; i < wasGroups.size(); ++i) {
            earlier.emplace(wasGroups[i], &List(was)[i]);
        }
        std::unordered_set<std::string> seen(isGroups.begin(), isGroups.end());
        for (std::size_t i = 0; i < isGroups.size(); ++i) {
            const auto it = earlier.find(isGroups[i]);
            const json& rows = it == earlier.end() ? EmptyList() : Member(*it->second, "rows");
            Rows(isGroups[i], List(rows), List(Member(List(is)[i], "rows")));
        }
        for (std::size_t i = 0; i < wasGroups.size(); ++i) {
            if (seen.count(wasGroups[i]) == 0) {
                Rows(wasGroups[i], List(Member(List(was)[i], "rows")), EmptyList());
            }
        }
    }

    void Rows(const std::string& group, const json& was, const json& is) {
        RowKeys byEntry(was.size());
        RowKeys byItem(was.size());
        for (std::size_t i = 0; i < was.size(); ++i) {
            const json& entry = Member(was[i], "dataEntry");
            if (!entry.is_null()) {
                byEntry.Add(entry, i);
            }
            byItem.Add(Member(was[i], "item"), i);
        }
        std::vector<bool> taken(was.size(), false);
        std::size_t place = 0;
        for (const json& row : is) {
            place_ = ++place;
            const json& entry = Member(row, "dataEntry");
            std::size_t match = entry.is_null() ? RowKeys::npos : byEntry.Find(entry, taken);
            if (match == RowKeys::npos) {
                match = byItem.Find(Member(row, "item"), taken);
            }
            if (match == RowKeys::npos) {
                Add("row", Join(group, "row " + Plain(Member(row, "item"))), nullptr, row);
                continue;
            }
            taken[match] = true;
            if (was[match] == row) {
                continue;
            }
            const std::string where = Join(group, "row " + Plain(Member(row, "item")));
            CompareFields("row", where, Object(was[match]), Object(row), "cells");
            CompareFields("cell", where, Object(Member(was[match], "cells")),
                          Object(Member(row, "cells")), nullptr);
        }
        for (std::size_t i = 0; i < was.size(); ++i) {
            place_ = i + 1;
            if (!taken[i]) {
                Add("row", Join(group, "row " + Plain(Member(was[i], "item"))), was[i], nullptr);
            }
        }
        place_.reset();
    }

    void Standard(const json& was, const json& is) {
        const std::string group = "parts-list standard";
        std::unordered_map<std::string, const json*> earlier;
        for (const json& column : was) {
            earlier.emplace(Plain(Member(column, "name")), &column);
        }
        std::unordered_set<std::string> seen;
        for (const json& column : is) {
            const std::string name = Plain(Member(column, "name"));
            seen.insert(name);
            const auto it = earlier.find(name);
            if (it == earlier.end()) {
                Add("column", Join(group, name), nullptr, column);
            } else if (*it->second != column) {
                Add("column", Join(group, name), *it->second, column);
            }
        }
        for (const json& column : was) {
            const std::string name = Plain(Member(column, "name"));
            if (seen.count(name) == 0) {
                Add("column", Join(group, name), column, nullptr);
            }
        }
    }

    DrawingIndex before_;
    DrawingIndex after_;
    std::vector<DrawingChange> changes_;
    // The place of the row being compared.
    std::optional<std::size_t> place_;
};

}  // namespace

std::vector<DrawingChange> DiffDrawings(const nlohmann::json& before, const nlohmann::json& after) {
    return Differ(before, after).Run();
}

std::vector<std::string> WhereSegments(const std::string& where) {
    std::vector<std::string> segments(1);
    for (std::size_t i = 0; i < where.size(); ++i) {
        const char c = where[i];
        if (c == '/') {
            segments.emplace_back();
        } else if (c == '~' && i + 1 < where.size() &&
                   (where[i + 1] == '0' || where[i + 1] == '1')) {
            segments.back() += where[++i] == '0' ? '~' : '/';
        } else {
            segments.back() += c;
        }
    }
    return segments;
}
