// The scenario form of a drawing's header values and of an entity's properties:
//   drawing "ucs":      { origin: [x,y(,z)], xAxis: [x,y(,z)], yAxis: [x,y(,z)] }  the current
//                       user coordinate system (axes at right angles; scaled to unit length)
//   drawing "defaults": { layer, color, linetype }  what setDatabaseDefaults gives an entity
//   entity "layer", "color", "linetype"             the entity's own properties
// Colours are host colour indices 0 (ByBlock) to 256 (ByLayer). Every key is optional and
// means the fresh database's value when absent; saving writes only values that differ.
#pragma once

#include <nlohmann/json.hpp>

#include "host/vx_ge.h"
#include "sim/host/database.h"
#include "sim/scenario/json_at.h"
#include "sim/scenario/json_sink.h"

namespace sim {

// [x, y] or [x, y, z].
VxGePoint3d readPoint(const JsonAt& at);

// The properties named among an entity's keys, the others as a constructed entity has them.
EntityProperties readEntityProperties(const JsonAt& entity);
// Reads "ucs" and "defaults" of a drawing, if present.
void loadDrawingHeader(const JsonAt& drawing, Database& db);

void saveEntityProperties(const EntityProperties& properties, JsonSink& entity);
void saveDrawingHeader(const Database& db, nlohmann::ordered_json& drawing);

}  // namespace sim
