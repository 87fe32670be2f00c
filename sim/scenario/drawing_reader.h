// DrawingReader: the schema of a drawing (drawing_io.h) applied to the JSON of its parts, into
// a database: what loadDrawing does part by part, for the readers that take the parts in their
// own way. Checks that need everything in place (part-reference paths) run last, on the rows
// read by readRows, whose JSON must outlive the reader.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "host/vx_ge.h"
#include "sim/host/database.h"
#include "sim/scenario/drawing_handles.h"
#include "sim/scenario/json_at.h"

namespace sim {

inline constexpr std::int64_t kMaxName = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

enum class EntityKind { kPartRef, kBlockRef, kLine };

// An entity checked against the drawing, not created yet.
struct EntitySpec {
    std::int64_t handle = 0;
    EntityKind kind = EntityKind::kLine;
    VxDbObjectId block;
    std::optional<std::int64_t> dataEntry;
    VxGePoint3d position;
    EntityProperties properties;
};

// A block of the drawing's own, not one of the two spaces; the null id for none.
VxDbObjectId blockNamed(const Database& db, const std::u16string& name);

class DrawingReader {
  public:
    DrawingReader(Database& db, DrawingHandles& handles) : db_(db), handles_(handles) {}

    EntitySpec readEntity(const JsonAt& at, std::unordered_set<std::int64_t>& batch) const;
    void createEntity(const EntitySpec& node, VxDbObjectId block);
    void checkEntities(const JsonAt& list, std::unordered_set<std::int64_t>& planned) const;
    void readEntities(const JsonAt& list, VxDbObjectId block);
    // The data entry of that number, created on first mention.
    VxDbObjectId dataEntry(std::int64_t number);
    // A data entry's cells may be given in more than one place only if they agree.
    void setCells(std::int64_t number, const JsonAt& at);
    // Whether setCells has taken cells for that number.
    bool cellsGiven(std::int64_t number) const { return cellsGivenAt_.count(number) != 0; }
    void readBlocks(const JsonAt& list);
    void readDataEntries(const JsonAt& entries);
    void readBoms(const JsonAt& list);
    void readRows(const JsonAt& rows, VxDbObjectId list);
    void readStandard(const JsonAt& at);
    void readLoadedModules(const JsonAt& modules);
    // A drawing of a few kilobytes can put a part reference on 2^26 paths: each row's are
    // counted before anything lists them. After everything is in place, since paths run
    // through blocks and entities of any part.
    void checkPathCounts() const;
    void checkPaths() const;

  private:
    Database& db_;
    DrawingHandles& handles_;
    std::unordered_map<std::int64_t, std::string> cellsGivenAt_;
    std::vector<std::pair<JsonAt, VxDbObjectId>> rowEntries_;
    std::vector<std::pair<JsonAt, VxDbObjectId>> pathChecks_;
};

}  // namespace sim
