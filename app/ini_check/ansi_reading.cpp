#include "app/ini_check/ansi_reading.h"

#include "app/common/text_conversion.h"
#include "app/common/text_encoding.h"

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t more = 3;
        char32_t least = 0x10000;
        char32_t c = lead & 0x07;
        if ((lead & 0xE0) == 0xC0) {
            more = 1;
            least = 0x80;
            c = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2;
            least = 0x800;
            c = lead & 0x0F;
        } else if ((lead & 0xF8) != 0xF0) {
            return false;
        }
        if (i + more >= bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        i += more + 1;
    }
    return true;
}

}  // namespace

std::optional<std::u16string> Utf8ReadingOfAnsiLine(std::u16string_view line) {
    std::string bytes;
    std::string error;
    if (!EncodeText(Utf8(line), TextEncodingKind::kAnsi, false, bytes, error)) {
        return std::nullopt;
    }
    bool beyondAscii = false;
    for (const char byte : bytes) {
        beyondAscii = beyondAscii || static_cast<unsigned char>(byte) >= 0x80;
    }
    if (!beyondAscii || !IsUtf8(bytes)) {
        return std::nullopt;
    }
    return U16(bytes);
}
