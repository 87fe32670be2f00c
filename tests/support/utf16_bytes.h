// Test data: a text as the bytes of a UTF-16 file in either byte order, with or without mark.
#pragma once

#include <string>
#include <string_view>

inline std::string Utf16(std::u16string_view text, bool bigEndian, bool mark) {
    std::string bytes;
    auto put = [&](char16_t c) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    if (mark) {
        put(0xFEFF);
    }
    for (char16_t c : text) {
        put(c);
    }
    return bytes;
}
