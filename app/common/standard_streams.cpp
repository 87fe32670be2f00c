#include "app/common/standard_streams.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define ORBD_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define ORBD_ISATTY(fd) isatty(fd)
#endif

bool IsTerminal(int descriptor) {
    return ORBD_ISATTY(descriptor) != 0;
}

void BufferStandardOutput() {
    // Given, since the C library may take the size of a buffer it makes itself from the file.
    static char buffer[1 << 20];
    if (!IsTerminal(1)) {
        std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    }
}
