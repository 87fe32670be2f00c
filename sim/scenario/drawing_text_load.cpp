#include "sim/scenario/drawing_text_load.h"

#ifdef ORBD_WITH_SIMDJSON

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <unordered_set>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/host/database_header.h"
#include "sim/host/utf8_text.h"
#include "sim/mech/mech_control.h"
#include "sim/mech/part_ref_paths.h"
#include "sim/scenario/drawing_header_io.h"
#include "sim/scenario/drawing_reader.h"
#include "sim/scenario/json_spans.h"

namespace sim {
namespace {

namespace od = simdjson::ondemand;

// The text holds something other than the plain case; the DOM reader decides.
struct NotPlain {};

[[noreturn]] void notPlain() {
    throw NotPlain{};
}

void require(bool plain) {
    if (!plain) {
        notPlain();
    }
}

// The keys of one object, each to be given once: a key given twice keeps its last value in the
// DOM, which a reader taking values as they come would not.
template <std::size_t N>
class KeySet {
  public:
    explicit KeySet(const std::array<std::string_view, N>& names) : names_(names) {}
    // The key's index; not plain for an unknown or repeated key.
    std::size_t take(std::string_view key) {
        for (std::size_t i = 0; i < N; ++i) {
            if (names_[i] == key) {
                require(!seen_[i]);
                seen_[i] = true;
                return i;
            }
        }
        notPlain();
    }
    bool has(std::size_t i) const { return seen_[i]; }

  private:
    const std::array<std::string_view, N>& names_;
    std::array<bool, N> seen_{};
};

// A text the host can hold: no NUL.
std::string_view text(od::value value) {
    const std::string_view text = value.get_string();
    require(text.find('\0') == std::string_view::npos);
    return text;
}

std::int64_t integer(od::value value, std::int64_t min, std::int64_t max) {
    od::number number = value.get_number();
    require(number.get_number_type() == od::number_type::signed_integer);
    const std::int64_t n = number.get_int64();
    require(n >= min && n <= max);
    return n;
}

double number(od::value value) {
    od::number number = value.get_number();
    switch (number.get_number_type()) {
        case od::number_type::signed_integer:
            return static_cast<double>(number.get_int64());
        case od::number_type::unsigned_integer:
            return static_cast<double>(number.get_uint64());
        default:
            return number.get_double();
    }
}

VxString name(od::value value) {
    const std::string_view given = text(value);
    require(!given.empty());
    return VxString::fromUtf8(given);
}

VxGePoint3d point(od::value value) {
    std::array<double, 3> xyz{};
    std::size_t count = 0;
    for (od::value coordinate : value.get_array()) {
        require(count < 3);
        xyz[count++] = number(coordinate);
    }
    require(count >= 2);
    return VxGePoint3d{xyz[0], xyz[1], xyz[2]};
}

// The cells of a row, kept from one row to the next so that their strings are reused.
class Cells {
  public:
    // Reads an object of texts as JsonAt::textMap reads it: the pairs in name order, each
    // name once with its last value.
    std::span<const PackedTexts::Pair* const> read(od::value value) {
        std::size_t count = 0;
        for (od::field field : value.get_object()) {
            const std::string_view key = field.unescaped_key();
            require(key.find('\0') == std::string_view::npos);
            if (count == given_.size()) {
                given_.emplace_back();
            }
            auto& [name, texts] = given_[count++];
            name.clear();
            appendUtf16(key, name);
            texts.clear();
            appendUtf16(text(field.value()), texts);
        }
        byName_.clear();
        for (std::size_t i = 0; i < count; ++i) {
            byName_.push_back(&given_[i]);
        }
        // Pointers into one vector: their order is the given order, which keeps the sort
        // stable without a buffer.
        std::sort(byName_.begin(), byName_.end(), [](const auto* a, const auto* b) {
            return a->first < b->first || (a->first == b->first && a < b);
        });
        std::size_t kept = 0;
        for (std::size_t i = 0; i < byName_.size(); ++i) {
            if (i + 1 < byName_.size() && byName_[i]->first == byName_[i + 1]->first) {
                continue;
            }
            byName_[kept++] = byName_[i];
        }
        byName_.resize(kept);
        return byName_;
    }

  private:
    std::vector<PackedTexts::Pair> given_;
    std::vector<const PackedTexts::Pair*> byName_;
};

// The JSON text of a value, consumed.
std::string_view rawJson(od::value value) {
    switch (value.type()) {
        case od::json_type::object: {
            od::object object = value.get_object();
            return object.raw_json();
        }
        case od::json_type::array: {
            od::array array = value.get_array();
            return array.raw_json();
        }
        default:
            return value.raw_json_token();
    }
}

// A member's key, which a key with escapes is not as written: it is left to the DOM.
std::string_view plainKey(const JsonMember& member) {
    require(!member.keyEscaped);
    return member.key;
}

constexpr std::array<std::string_view, 10> kDrawingKeys = {
    "entities", "blocks",      "partData",      "dataEntries", "boms",
    "standard", "structure2d", "loadedModules", "defaults",    "ucs"};
constexpr std::array<std::string_view, 8> kEntityKeys = {
    "handle", "type", "dataEntry", "block", "position", "layer", "color", "linetype"};
constexpr std::array<std::string_view, 3> kBomKeys = {"owner", "current", "rows"};
constexpr std::array<std::string_view, 6> kRowKeys = {"item",  "qty",          "dataEntry",
                                                      "cells", "partRefPaths", "state"};

// The given part-reference paths of a row, to compare once everything is in place.
struct PathCheck {
    VxDbObjectId entry;
    std::size_t begin;  // into handles: each path's length, then its handles
    std::size_t end;
};

class TextLoader {
  public:
    TextLoader(std::string_view text, std::size_t readable, const JsonSpanIndex* spans,
               Database& db, DrawingHandles& handles)
        : text_(text),
          readable_(readable),
          spans_(spans),
          db_(db),
          handles_(handles),
          reader_(db, handles) {}

    void load() {
        std::map<std::string_view, std::string_view> parts;
        {
            KeySet keys(kDrawingKeys);
            forEachMember(text_, [&](const JsonMember& member) {
                parts.emplace(kDrawingKeys[keys.take(plainKey(member))], member.value);
            });
        }
        const auto part = [&](std::string_view key) {
            const auto found = parts.find(key);
            return found == parts.end() ? std::string_view() : found->second;
        };
        // In loadDrawing's order, so that the first fault found is the one it finds.
        nlohmann::json header = nlohmann::json::object();
        for (const char* key : {"defaults", "ucs"}) {
            if (!part(key).empty()) {
                header[key] = nlohmann::json::parse(part(key));
            }
        }
        loadDrawingHeader(JsonAt(header, "/drawing"), db_);
        withDom(part("blocks"), "/drawing/blocks",
                [&](const JsonAt& at) { reader_.readBlocks(at); });
        if (!part("entities").empty()) {
            readEntities(part("entities"));
        }
        withDom(part("partData"), "/drawing/partData",
                [&](const JsonAt& at) { setBlockPartData(db_, db_.modelSpaceId(), at.textMap()); });
        withDom(part("dataEntries"), "/drawing/dataEntries",
                [&](const JsonAt& at) { reader_.readDataEntries(at); });
        if (!part("boms").empty()) {
            readBoms(part("boms"));
        }
        withDom(part("standard"), "/drawing/standard",
                [&](const JsonAt& at) { reader_.readStandard(at); });
        withDom(part("structure2d"), "/drawing/structure2d",
                [&](const JsonAt& at) { setStructure2d(db_, at.boolean()); });
        withDom(part("loadedModules"), "/drawing/loadedModules",
                [&](const JsonAt& at) { reader_.readLoadedModules(at); });
        checkPathCounts();
        checkPaths();
    }

  private:
    // A part of the text; the parser reads past its end, within the whole text's padding.
    od::document iterate(std::string_view part) {
        const std::size_t offset = static_cast<std::size_t>(part.data() - text_.data());
        return parser_.iterate(part.data(), part.size(), readable_ - offset);
    }

    // Calls each(const JsonMember&) for each member of the object or element of the array
    // whose text is part: as noted, or as parsing it whole finds them.
    template <class Each>
    void forEachMember(std::string_view part, Each&& each) {
        if (spans_ != nullptr && spans_->forEachMember(part.data(), each)) {
            return;
        }
        // Found first: each member is parsed with the same parser.
        std::vector<JsonMember> members;
        od::document document = iterate(part);
        od::value container = document.get_value();
        if (container.type() == od::json_type::object) {
            for (od::field field : container.get_object()) {
                const char* raw = field.key().raw();
                const std::string_view key = field.unescaped_key();
                members.push_back({std::string_view(raw, key.size()), !writtenAsIs(raw, key),
                                   rawJson(field.value())});
            }
        } else {
            for (od::value element : container.get_array()) {
                members.push_back({{}, false, rawJson(element)});
            }
        }
        for (const JsonMember& member : members) {
            each(member);
        }
    }

    template <class Read>
    void withDom(std::string_view part, const char* path, Read read) {
        if (!part.empty()) {
            const nlohmann::json dom = nlohmann::json::parse(part);
            read(JsonAt(dom, path));
        }
    }

    EntitySpec readEntity(od::value value, std::unordered_set<std::int64_t>& batch) {
        KeySet keys(kEntityKeys);
        EntitySpec node;
        std::string_view kind;
        std::string_view block;
        for (od::field field : value.get_object()) {
            switch (keys.take(field.unescaped_key())) {
                case 0:
                    node.handle = integer(field.value(), 1, kMaxName);
                    break;
                case 1:
                    kind = text(field.value());
                    break;
                case 2:
                    node.dataEntry = integer(field.value(), 1, kMaxName);
                    break;
                case 3:
                    block = text(field.value());
                    break;
                case 4:
                    node.position = point(field.value());
                    break;
                case 5:
                    node.properties.layer = name(field.value());
                    break;
                case 6:
                    node.properties.colorIndex =
                        static_cast<int>(integer(field.value(), kColorByBlock, kColorByLayer));
                    break;
                default:
                    node.properties.linetype = name(field.value());
                    break;
            }
        }
        require(keys.has(0) && keys.has(1));
        require(handles_.entity(node.handle).isNull() && batch.insert(node.handle).second);
        if (kind == "partref") {
            node.kind = EntityKind::kPartRef;
        } else if (kind == "blockref") {
            node.kind = EntityKind::kBlockRef;
            require(keys.has(3));
            node.block = blockNamed(db_, VxString::fromUtf8(block).str());
            require(!node.block.isNull());
        } else {
            require(kind == "line");
            node.kind = EntityKind::kLine;
        }
        require(node.kind == EntityKind::kPartRef || !keys.has(2));
        require(node.kind == EntityKind::kBlockRef || !keys.has(3));
        return node;
    }

    void readEntities(std::string_view part) {
        std::unordered_set<std::int64_t> batch;
        std::vector<EntitySpec> specs;
        forEachMember(part, [&](const JsonMember& element) {
            od::document document = iterate(element.value);
            specs.push_back(readEntity(document.get_value(), batch));
        });
        for (const EntitySpec& node : specs) {
            reader_.createEntity(node, db_.modelSpaceId());
        }
    }

    // Each parts list, and each of its rows, parsed on its own.
    void readBoms(std::string_view part) {
        std::set<VxDbObjectId> owners;
        forEachMember(part, [&](const JsonMember& bom) {
            KeySet keys(kBomKeys);
            VxDbObjectId list;
            forEachMember(bom.value, [&](const JsonMember& member) {
                const std::string_view given = member.value;
                const std::size_t key = keys.take(plainKey(member));
                // The owner makes the list that "current" and the rows need.
                require((key == 0) == list.isNull());
                if (key == 0) {
                    const nlohmann::json owned = nlohmann::json::parse(given);
                    VxDbObjectId owner = db_.modelSpaceId();
                    if (!owned.is_null()) {
                        require(owned.is_string());
                        const auto& ownerName = owned.get_ref<const std::string&>();
                        require(ownerName.find('\0') == std::string::npos);
                        owner = blockNamed(db_, VxString::fromUtf8(ownerName).str());
                        require(!owner.isNull());
                    }
                    require(owners.insert(owner).second);
                    list = createPartsList(db_, owner);
                } else if (key == 1) {
                    require(!keys.has(2));
                    const nlohmann::json current = nlohmann::json::parse(given);
                    require(current.is_boolean());
                    if (current.get<bool>()) {
                        require(currentPartsList(db_).isNull());
                        setCurrentPartsList(db_, list);
                    }
                } else {
                    readRows(given, list);
                }
            });
            require(keys.has(0));
        });
    }

    void readRows(std::string_view rows, VxDbObjectId list) {
        std::unordered_set<std::int64_t> entries;
        forEachMember(rows, [&](const JsonMember& element) {
            od::document document = iterate(element.value);
            od::value value = document.get_value();
            KeySet keys(kRowKeys);
            std::string_view item;
            std::int32_t quantity = 0;
            std::int64_t number = 0;
            std::span<const PackedTexts::Pair* const> cells;
            int state = 0;
            const std::size_t pathsBegin = pathHandles_.size();
            for (od::field field : value.get_object()) {
                switch (keys.take(field.unescaped_key())) {
                    case 0:
                        item = text(field.value());
                        break;
                    case 1:
                        quantity =
                            static_cast<std::int32_t>(integer(field.value(), kInt32Min, kInt32Max));
                        break;
                    case 2:
                        number = integer(field.value(), 1, kMaxName);
                        break;
                    case 3:
                        cells = cells_.read(field.value());
                        break;
                    case 4:
                        readPaths(field.value());
                        break;
                    default:
                        state = static_cast<int>(integer(field.value(), kInt32Min, kInt32Max));
                        break;
                }
            }
            require(keys.has(0) && keys.has(1));
            VxDbObjectId entry;
            if (keys.has(2)) {
                require(entries.insert(number).second);
                entry = reader_.dataEntry(number);
                if (keys.has(3)) {
                    // Cells given before (free, or a row of an earlier list) must agree.
                    require((!reader_.cellsGiven(number) && !inEarlierList(number)) ||
                            dataEntryData(db_, entry) == PackedTexts(cells).map());
                    setDataEntryTexts(db_, entry, cells);
                }
            } else {
                entry = createDataEntry(db_);
                if (keys.has(3)) {
                    setDataEntryTexts(db_, entry, cells);
                }
            }
            addRow(db_, list, VxString::fromUtf8(item).str(), quantity, entry, state);
            rowEntries_.push_back(entry);
            if (keys.has(4)) {
                pathChecks_.push_back({entry, pathsBegin, pathHandles_.size()});
            }
        });
        listEntries_.push_back(std::move(entries));
    }

    bool inEarlierList(std::int64_t number) const {
        for (const auto& entries : listEntries_) {
            if (entries.count(number) != 0) {
                return true;
            }
        }
        return false;
    }

    void readPaths(od::value paths) {
        for (od::value path : paths.get_array()) {
            const std::size_t length = pathHandles_.size();
            pathHandles_.push_back(0);
            for (od::value handle : path.get_array()) {
                pathHandles_.push_back(integer(handle, 1, kMaxName));
            }
            pathHandles_[length] = static_cast<std::int64_t>(pathHandles_.size() - length - 1);
        }
    }

    void checkPathCounts() const {
        PartRefPathCounter counter(db_);
        for (const VxDbObjectId entry : rowEntries_) {
            const std::optional<std::uint64_t> count = counter.count(entry);
            require(count && *count <= kMaxPartRefPaths);
        }
    }

    void checkPaths() const {
        for (const PathCheck& check : pathChecks_) {
            std::size_t at = check.begin;
            for (const auto& path : partRefPaths(db_, check.entry)) {
                require(at < check.end &&
                        pathHandles_[at] == static_cast<std::int64_t>(path.size()));
                ++at;
                for (const VxDbObjectId id : path) {
                    require(handles_.handleOf(id).value_or(0) == pathHandles_[at++]);
                }
            }
            require(at == check.end);
        }
    }

    std::string_view text_;
    std::size_t readable_;
    const JsonSpanIndex* spans_;
    Database& db_;
    DrawingHandles& handles_;
    DrawingReader reader_;
    od::parser parser_;
    std::vector<VxDbObjectId> rowEntries_;
    std::vector<std::int64_t> pathHandles_;
    std::vector<PathCheck> pathChecks_;
    std::vector<std::unordered_set<std::int64_t>> listEntries_;
    Cells cells_;
};

}  // namespace

bool loadDrawingText(std::string_view text, std::size_t readable, const JsonSpanIndex* spans,
                     Database& db, DrawingHandles& handles) {
    try {
        TextLoader(text, readable, spans, db, handles).load();
        return true;
    } catch (const NotPlain&) {
        return false;
    } catch (const simdjson::simdjson_error&) {
        return false;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
}

}  // namespace sim

#else

namespace sim {

// Without the parser the DOM reader takes every drawing.
bool loadDrawingText(std::string_view, std::size_t, const JsonSpanIndex*, Database&,
                     DrawingHandles&) {
    return false;
}

}  // namespace sim

#endif
