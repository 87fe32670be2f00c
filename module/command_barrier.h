// RunAsBarrier: runs a command handler's or reactor callback's work so that nothing thrown
// inside reaches the host. The operations catch their own failures; what still arrives here
// is reported on the command line if it can be, and swallowed if even that fails.
#pragma once

#include <new>

#include "base/host_status_error.h"
#include "host/vx_editor.h"
#include "host/vx_status.h"

template <class Work>
void RunAsBarrier(Work work) noexcept {
    try {
        work();
    } catch (const HostStatusError& failure) {
        try {
            vxutPrintf(u"\n%s\n", failure.text());
        } catch (...) {  // NOLINT: the barrier must hold even when reporting fails
        }
    } catch (const std::bad_alloc&) {
        try {
            vxutPrintf(u"\n%s\n", vexaErrorStatusText(Vx::eOutOfMemory));
        } catch (...) {  // NOLINT: as above
        }
    } catch (...) {  // NOLINT: no exception may cross into the host
    }
}
