// The portable equivalents of the window system's text functions. The Linux build answers
// winsys::isTextUnicode and winsys::multiByteToWideChar with them; the Windows build calls the
// system and keeps these so that the two can be compared.
#pragma once

namespace sim {

// As IsTextUnicode: *flags holds the tests to run on entry and those that passed on return.
bool portableIsTextUnicode(const void* bytes, int size, int* flags);

// As MultiByteToWideChar. Windows-1252 (also the default ANSI code page) is known everywhere;
// other code pages need iconv, which only the Linux build has: elsewhere they fail with 0.
int portableMultiByteToWideChar(unsigned codePage, unsigned flags, const char* src, int srcLen,
                                char16_t* dst, int dstLen);

}  // namespace sim
