// A fresh stand-in host and PDM for a benchmark: nobody hears events, the PDM logs no calls,
// its current document has a part, and the module's PDM link starts anew.
#pragma once

#include "pdm/pdm_link.h"
#include "sim/host/events.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"

inline void ResetPlatformForBenchmark() {
    sim::setEventSink({});
    sim::resetHost();
    sim::pdm::reset();
    sim::pdm::setLogging(false);
    sim::pdm::setHasPart(u"1");
    PdmLink::Reset();
}
