#include "sim/host/events.h"

#include <utility>

namespace sim {
namespace {
EventSink& currentSink() {
    static EventSink sink;
    return sink;
}
}  // namespace

EventSink setEventSink(EventSink sink) {
    return std::exchange(currentSink(), std::move(sink));
}

void emit(Event event) {
    if (const EventSink& sink = currentSink()) {
        sink(event);
    }
}

}  // namespace sim
