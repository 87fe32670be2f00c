// The stand-in platform's event stream: everything observable that the module makes the
// host, the window system or the PDM client do (prompts, output, alerts, dialogs, PDM calls,
// queued commands...) is emitted here as one JSON object whose first field is "ev".
// vexa-sim turns the stream into its transcript; tests may install their own sink.
#pragma once

#include <functional>

#include <nlohmann/json.hpp>

#include "host/vx_export.h"

namespace sim {

using Event = nlohmann::ordered_json;
using EventSink = std::function<void(const Event&)>;

// Replaces the sink (an empty function drops events); answers the previous one.
VX_HOST_API EventSink setEventSink(EventSink sink);
VX_HOST_API void emit(Event event);

}  // namespace sim
