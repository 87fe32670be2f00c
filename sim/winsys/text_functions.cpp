// The window system's text functions: the system's own on Windows, the portable equivalents
// elsewhere.
#include "host/winsys.h"
#include "sim/winsys/portable_text.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace winsys {

bool isTextUnicode(const void* bytes, int size, int* flags) {
#if defined(_WIN32)
    // The system function would read through a null buffer.
    if (bytes == nullptr) {
        if (flags != nullptr) {
            *flags = 0;
        }
        return false;
    }
    return ::IsTextUnicode(bytes, size, flags) != FALSE;
#else
    return sim::portableIsTextUnicode(bytes, size, flags);
#endif
}

int multiByteToWideChar(unsigned codePage, unsigned flags, const char* src, int srcLen,
                        char16_t* dst, int dstLen) {
#if defined(_WIN32)
    return ::MultiByteToWideChar(codePage, flags, src, srcLen, reinterpret_cast<wchar_t*>(dst),
                                 dstLen);
#else
    return sim::portableMultiByteToWideChar(codePage, flags, src, srcLen, dst, dstLen);
#endif
}

}  // namespace winsys
