// Status codes of the host.
//
// Database and mechanical-layer functions answer a Vx::ErrorStatus (eOk = 0 for success);
// input and lisp functions answer a VxRt status (kRtNorm = 5100 for normal).
#pragma once

#include "host/vx_export.h"

namespace Vx {
enum ErrorStatus : int {
    eOk = 0,
    eNotImplemented = 1,
    eInvalidOpenState = 2,
    eNullObjectId = 5,
    eUnknownHandle = 6,  // an id that names no object of this run
    eWasErased = 7,
    eWasOpenForWrite = 8,
    eWasOpenForRead = 9,
    eNotOpenForWrite = 10,
    eNotThatKindOfClass = 11,
    eKeyNotFound = 12,
    eAlreadyInDb = 13,
    eOutOfMemory = 14,
    eInvalidInput = 15,
    eInvalidIndex = 16,
    eNoDatabase = 17,
    eNotInDatabase = 18,
    eDuplicateKey = 19,
    eFileAccessErr = 20,
    eNotApplicable = 21,
    eWasNotOpen = 22,
    eInvalidContext = 23,
};
}  // namespace Vx

// Statuses of input, output and lisp functions, and the result-buffer type codes.
enum VxRtStatus : int {
    kRtNone = 5000,  // also ends a result-buffer list when it is built
    kRtReal = 5001,
    kRtPoint = 5002,
    kRtShort = 5003,
    kRtStr = 5005,
    kRtLong = 5010,
    kRtNorm = 5100,
    kRtError = -5001,
    kRtCan = -5002,
    kRtRej = -5003,
    kRtKword = -5005,
};

// The host's text for a status of either kind; never null. Unknown codes give "eUnknownStatus".
VX_HOST_API const char16_t* vexaErrorStatusText(int status);
