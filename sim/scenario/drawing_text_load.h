// Loading a drawing from its JSON text without building its DOM: the rows and entities, which
// are nearly all of a large drawing, go from the text straight into the database; the other
// parts are small and go through DrawingReader as loadDrawing takes them.
//
// The text must be JSON already checked as a scenario's (nesting bound, numbers in range). A
// part that breaks the schema throws sim::ScenarioError from DrawingReader exactly as
// loadDrawing would; but where a row or an entity is anything other than the plain case
// (a key given twice, a value out of range, a check that fails) the answer is false, with db
// and handles half loaded: the caller then loads the text's DOM with loadDrawing into a
// fresh database, which names the place.
#pragma once

#include <cstddef>
#include <string_view>

#include "sim/host/database.h"
#include "sim/scenario/drawing_handles.h"
#include "sim/scenario/json_spans.h"

namespace sim {

// Whether this build reads drawings from their text at all: without simdjson (the Windows
// build) loadDrawingText always answers false and every drawing is read as a DOM.
#ifdef ORBD_WITH_SIMDJSON
inline constexpr bool kLoadsDrawingText = true;
#else
inline constexpr bool kLoadsDrawingText = false;
#endif

// readable: how many bytes from text.data() on may be read (at least text.size() plus
// simdjson's padding), which the parser needs. spans, if given, are those of the text text
// lies in: the large parts are then parsed a member at a time.
bool loadDrawingText(std::string_view text, std::size_t readable, const JsonSpanIndex* spans,
                     Database& db, DrawingHandles& handles);

}  // namespace sim
