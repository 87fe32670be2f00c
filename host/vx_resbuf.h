// Result buffers: the host's typed linked lists for lisp values.
#pragma once

#include "host/vx_export.h"
#include "host/vx_status.h"

struct VxResBuf {
    VxResBuf* rbnext = nullptr;
    short restype = kRtNone;  // a VxRtStatus type code: kRtStr, kRtShort, kRtReal, ...
    union {
        char16_t* rstring;  // kRtStr: owned by the list
        int rint;           // kRtShort, kRtLong
        double rreal;       // kRtReal
        double rpoint[3];   // kRtPoint
    } resval{};
};

// Builds a list from (type, value) pairs ended by kRtNone (or 0): for kRtStr a
// const char16_t*, for kRtShort and kRtLong an int, for kRtReal a double, for kRtPoint a
// const double*. Null when the arguments are malformed. Release it with vxutRelRb.
VX_HOST_API VxResBuf* vxutBuildList(int type, ...);
// Releases a whole list (null is allowed); answers kRtNorm.
VX_HOST_API int vxutRelRb(VxResBuf* list);
