// The "drawing" part of a scenario: loading it into a database, adding entities during a run,
// and saving the database back in the same form so that runs can be chained.
//
// Schema (every key not listed is an error, since it is almost always a typo):
//   entities:    [ { handle, type: "partref"|"blockref"|"line", dataEntry (partref, optional:
//                    a data entry of its own), block (blockref), position [x,y(,z)] } ]
//   blocks:      [ { name, xrefPath, partData, entities } ]   (xrefPath makes an external
//                  reference; partData only for blocks that carry part data)
//   partData:    the drawing's own part data (model space's)
//   dataEntries: { "<number>": { cells } }  data entries that no row holds
//   boms:        [ { owner: null | block name, current, rows: [ { item, qty, dataEntry,
//                    cells, partRefPaths, state } ] } ]
//   standard:    { columns: [ { name, visible, type (29), dataType (0), displayText (name) } ] }
//   structure2d, loadedModules
//   defaults, ucs, and an entity's layer, color, linetype: see drawing_header_io.h
// A row's partRefPaths, when given, must be the paths the drawing yields (handles).
// Violations throw sim::ScenarioError naming the JSON pointer of the offending value.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <unordered_set>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/host/database.h"
#include "sim/scenario/drawing_handles.h"

namespace sim {

// Loads drawing (found at the JSON pointer path) into db, which should be fresh; handles
// receives the scenario's names and the loaded-module list.
void loadDrawing(const nlohmann::json& drawing, const std::string& path, Database& db,
                 DrawingHandles& handles);

// Appends entities (a list in the form of "entities") to model space as a run step; database
// reactors hear each append. Everything is checked before anything is added.
void addEntities(const nlohmann::json& entities, const std::string& path, Database& db,
                 DrawingHandles& handles);

// Checks entities as addEntities would add them now, without adding anything; planned holds
// the handles of entities that earlier steps will add and receives these ones.
void checkEntities(const nlohmann::json& entities, const std::string& path, Database& db,
                   DrawingHandles& handles, std::unordered_set<std::int64_t>& planned);

// The drawing as it is now, in the schema above; erased entities are left out and things the
// run added get fresh handles and numbers (handles itself is not changed).
nlohmann::ordered_json saveDrawing(const Database& db, const DrawingHandles& handles,
                                   const std::vector<std::string>& loadedModules);
// The same, binding the fresh names in handles: later saves then give those things the same
// names, so that two saves of one run can be compared.
nlohmann::ordered_json saveDrawingKeepingNames(const Database& db, DrawingHandles& handles,
                                               const std::vector<std::string>& loadedModules);
// The same as saveDrawingKeepingNames, wrapped as {"drawing": ...} and written to out as
// dump(2) would write it, one entity and row at a time. A caller that keeps using its names
// hands a copy: a large drawing's names are millions of entries, which a last save need not
// copy.
void writeDrawingScenario(std::ostream& out, const Database& db, DrawingHandles& handles,
                          const std::vector<std::string>& loadedModules);

}  // namespace sim
