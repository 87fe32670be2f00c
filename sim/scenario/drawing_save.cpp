#include <cmath>
#include <set>
#include <stdexcept>

#include "host/vxm_partref.h"
#include "sim/host/host_internals.h"
#include "sim/host/utf8_text.h"
#include "sim/mech/mech_control.h"
#include "sim/mech/part_ref_paths.h"
#include "sim/scenario/drawing_header_io.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/json_sink.h"

namespace sim {
namespace {

using Json = nlohmann::ordered_json;

std::string utf8(const std::u16string& text) {
    return VxString(text).toUtf8();
}

// An object of texts from names in order. Distinct names stay distinct in UTF-8 unless the
// conversion put U+FFFD for a lone surrogate, so both of two names that meet hold it: only
// from the first such name on is a name looked for among those before it, since a row's
// twenty cells would otherwise each be.
class TextObject {
  public:
    void add(const std::u16string& name, const std::u16string& value) {
        std::string key = utf8(name);
        mayRepeat_ = mayRepeat_ || key.find("\xEF\xBF\xBD") != std::string::npos;
        if (mayRepeat_) {
            object_[key] = utf8(value);
        } else {
            object_.get_ref<Json::object_t&>().emplace_back(std::move(key), utf8(value));
        }
    }
    Json take() { return std::move(object_); }

  private:
    Json object_ = Json::object();
    bool mayRepeat_ = false;
};

Json texts(const VxmStringMap& map) {
    TextObject object;
    for (const auto& [name, value] : map) {
        object.add(name, value);
    }
    return object.take();
}

// Walks the drawing into a sink, one entity or row at a time.
class DrawingWriter {
  public:
    DrawingWriter(const Database& db, DrawingHandles& handles, JsonSink& sink)
        : db_(db), names_(handles), sink_(sink) {}

    void entities(VxDbObjectId block) {
        sink_.beginArray("entities");
        for (const VxDbObject* member : db_.membersOf(block)) {
            if (!member->isErased()) {
                entity(*member);
            }
        }
        sink_.end();
    }

    void blocks() {
        sink_.beginArray("blocks");
        for (const VxDbObjectId id : db_.blockIds()) {
            const auto* record = db_.lookupAs<const VxDbBlockTableRecord>(id);
            if (record == nullptr || record->isErased()) {
                continue;
            }
            sink_.beginObject({});
            sink_.value("name", record->name().toUtf8());
            const VxString& xrefPath = VxHostInternals::xrefPath(*record);
            if (!xrefPath.isEmpty()) {
                sink_.value("xrefPath", xrefPath.toUtf8());
            }
            if (const auto data = blockPartData(db_, id)) {
                sink_.value("partData", texts(*data));
            }
            entities(id);
            sink_.end();
        }
        sink_.end();
    }

    void boms() {
        sink_.beginArray("boms");
        for (const VxDbObjectId id : partsLists(db_)) {
            sink_.beginObject({});
            const VxDbObjectId owner = partsListOwner(db_, id);
            if (owner == db_.modelSpaceId()) {
                sink_.value("owner", nullptr);
            } else {
                sink_.value("owner",
                            db_.lookupAs<const VxDbBlockTableRecord>(owner)->name().toUtf8());
            }
            if (currentPartsList(db_) == id) {
                sink_.value("current", true);
            }
            sink_.beginArray("rows");
            for (const RowRecord& row : rowsOf(db_, id)) {
                this->row(row);
            }
            sink_.end();
            sink_.end();
        }
        sink_.end();
    }

    // Data entries that entities hold and no row does, with cells to keep. Asked after the
    // entities and before the rows, since they come first in the saved form.
    Json freeDataEntries() {
        std::set<VxDbObjectId> heldByRows;
        for (const VxDbObjectId id : partsLists(db_)) {
            for (const RowRecord& row : rowsOf(db_, id)) {
                heldByRows.insert(row.dataEntry);
            }
        }
        std::map<std::int64_t, Json> byNumber;
        for (const VxDbObjectId id : heldByEntities_) {
            if (heldByRows.count(id) == 0) {
                takeCells(id);
                if (!cells_.empty()) {
                    byNumber[*names_.numberOf(id)] = cellsObject();
                }
            }
        }
        Json object = Json::object();
        for (auto& [number, cells] : byNumber) {
            object[std::to_string(number)] = std::move(cells);
        }
        return object;
    }

  private:
    void entity(const VxDbObject& member) {
        const VxDbObjectId id = member.objectId();
        const VxDbObject* object = &member;
        sink_.beginObject({});
        sink_.integer("handle", names_.handleFor(id));
        if (const auto* partRef = asKind<VxmPartRef>(object)) {
            sink_.text("type", std::string_view("partref"));
            const VxDbObjectId entry = partRef->dataEntryId();
            if (!entry.isNull()) {
                sink_.integer("dataEntry", names_.numberFor(entry));
                if (isDataEntry(db_, entry)) {
                    heldByEntities_.insert(entry);
                }
            }
        } else if (const auto* ref = asKind<VxDbBlockReference>(object)) {
            sink_.text("type", std::string_view("blockref"));
            const auto* record = db_.lookupAs<const VxDbBlockTableRecord>(ref->blockTableRecord());
            sink_.text("block", record != nullptr ? record->name().toUtf8() : std::string());
        } else {
            sink_.text("type", std::string_view("line"));
        }
        if (const auto* entity = asKind<VxDbEntity>(object)) {
            const VxGePoint3d p = entity->position();
            // JSON has no infinity: it would be written as null, and the drawing not load.
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
                throw std::range_error("cannot save the drawing: entity " +
                                       std::to_string(names_.handleFor(id)) +
                                       " lies at a position beyond the range of numbers");
            }
            if (p.z != 0.0) {
                sink_.value("position", {p.x, p.y, p.z});
            } else if (p.x != 0.0 || p.y != 0.0) {
                sink_.value("position", {p.x, p.y});
            }
            saveEntityProperties(VxHostInternals::properties(*entity), sink_);
        }
        sink_.end();
    }

    void row(const RowRecord& row) {
        sink_.beginObject({});
        sink_.text("item", std::u16string_view(row.item));
        sink_.integer("qty", row.quantity);
        sink_.integer("dataEntry", names_.numberFor(row.dataEntry));
        takeCells(row.dataEntry);
        if (mayRepeat_) {
            sink_.value("cells", cellsObject());
        } else {
            sink_.beginObject("cells");
            for (const auto& [name, value] : cells_) {
                utf8Name_.clear();
                appendUtf8(name, utf8Name_);
                sink_.text(utf8Name_, std::u16string_view(value));
            }
            sink_.end();
        }
        std::vector<std::vector<VxDbObjectId>> found;
        try {
            found = partRefPaths(db_, row.dataEntry);
        } catch (const TooManyPartRefPaths& e) {
            throw std::length_error("cannot save the drawing: row " + utf8(row.item) + " has " +
                                    e.what());
        }
        sink_.beginArray("partRefPaths");
        for (const auto& path : found) {
            sink_.beginArray({});
            for (const VxDbObjectId id : path) {
                sink_.integer({}, names_.handleFor(id));
            }
            sink_.end();
        }
        sink_.end();
        if (row.state != 0) {
            sink_.integer("state", row.state);
        }
        sink_.end();
    }

    // The data entry's names and values, kept in buffers reused from one row to the next.
    void takeCells(VxDbObjectId dataEntry) {
        std::size_t count = 0;
        mayRepeat_ = false;
        visitDataEntryData(db_, dataEntry,
                           [&](const std::u16string& name, const std::u16string& value) {
                               if (count == cells_.size()) {
                                   cells_.emplace_back();
                               }
                               cells_[count].first = name;
                               cells_[count].second = value;
                               ++count;
                               mayRepeat_ = mayRepeat_ || hasSurrogate(name);
                           });
        cells_.resize(count);
    }

    // Names that meet in UTF-8 (see TextObject) are only possible with a surrogate in them.
    static bool hasSurrogate(std::u16string_view name) {
        for (const char16_t unit : name) {
            if (unit >= 0xD800 && unit <= 0xDFFF) {
                return true;
            }
        }
        return false;
    }

    Json cellsObject() const {
        TextObject object;
        for (const auto& [name, value] : cells_) {
            object.add(name, value);
        }
        return object.take();
    }

    const Database& db_;
    DrawingHandles& names_;
    JsonSink& sink_;
    std::set<VxDbObjectId> heldByEntities_;
    std::vector<std::pair<std::u16string, std::u16string>> cells_;
    bool mayRepeat_ = false;
    std::string utf8Name_;
};

Json columns(const Database& db) {
    Json list = Json::array();
    for (const ColumnSpec& given : standardColumns(db)) {
        Json column = Json::object();
        column["name"] = utf8(given.name);
        column["visible"] = given.visible;
        if (given.type != 29) {
            column["type"] = given.type;
        }
        if (given.dataType != 0) {
            column["dataType"] = given.dataType;
        }
        if (given.displayText != given.name) {
            column["displayText"] = utf8(given.displayText);
        }
        list.push_back(std::move(column));
    }
    return list;
}

void writeDrawing(JsonSink& sink, const std::string& key, const Database& db,
                  DrawingHandles& handles, const std::vector<std::string>& loadedModules) {
    DrawingWriter writer(db, handles, sink);
    sink.beginObject(key);
    // Model space first, so that fresh handles follow the drawing's order.
    writer.entities(db.modelSpaceId());
    writer.blocks();
    sink.value("partData", texts(blockPartData(db, db.modelSpaceId()).value_or(VxmStringMap())));
    sink.value("dataEntries", writer.freeDataEntries());
    writer.boms();
    sink.value("standard", Json{{"columns", columns(db)}});
    sink.value("structure2d", structure2d(db));
    sink.value("loadedModules", loadedModules);
    Json header = Json::object();
    saveDrawingHeader(db, header);
    for (auto& [name, value] : header.items()) {
        sink.value(name, std::move(value));
    }
    sink.end();
}

}  // namespace

nlohmann::ordered_json saveDrawing(const Database& db, const DrawingHandles& handles,
                                   const std::vector<std::string>& loadedModules) {
    DrawingHandles names = handles;
    return saveDrawingKeepingNames(db, names, loadedModules);
}

nlohmann::ordered_json saveDrawingKeepingNames(const Database& db, DrawingHandles& handles,
                                               const std::vector<std::string>& loadedModules) {
    JsonBuilder builder;
    writeDrawing(builder, {}, db, handles, loadedModules);
    return builder.take();
}

void writeDrawingScenario(std::ostream& out, const Database& db, DrawingHandles& handles,
                          const std::vector<std::string>& loadedModules) {
    JsonTextWriter writer(out);
    writer.beginObject({});
    writeDrawing(writer, "drawing", db, handles, loadedModules);
    writer.end();
}

}  // namespace sim
