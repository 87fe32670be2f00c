// Windows-1252, the ANSI code page of Western European Windows, as a byte-to-UTF-16 table.
#pragma once

namespace sim {

// The character that byte stands for. The five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) come out as the C1 control of the same value, as on Windows.
char16_t windows1252ToUtf16(unsigned char byte);

}  // namespace sim
