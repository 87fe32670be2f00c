#include "app/import/mapping_file_entry.h"

#include <optional>
#include <string_view>
#include <vector>

#include "app/common/text_conversion.h"
#include "app/common/text_encoding.h"
#include "app/import/utf16_units.h"
#include "sim/winsys/windows_1252.h"

namespace {

struct Reading {
    const char* encoding;
    TextEncodingKind kind;
    bool mark;
};

std::string Decode(std::string_view bytes, const Reading& reading) {
    switch (reading.kind) {
        case TextEncodingKind::kUtf16Le:
        case TextEncodingKind::kUtf16Be:
            return Utf8(Utf16Units(bytes.substr(2), reading.kind == TextEncodingKind::kUtf16Le));
        case TextEncodingKind::kUtf8:
            return std::string(reading.mark ? bytes.substr(3) : bytes);
        case TextEncodingKind::kAnsi: {
            std::u16string text;
            for (const char byte : bytes) {
                text.push_back(sim::windows1252ToUtf16(static_cast<unsigned char>(byte)));
            }
            return Utf8(text);
        }
    }
    return {};
}

// The text, when this reading of the bytes gives them back exactly.
std::optional<std::string> TextIfExact(const std::string& bytes, const Reading& reading) {
    const std::string text = Decode(bytes, reading);
    std::string again;
    std::string error;
    // A scenario's text is valid UTF-8 and cannot hold NUL.
    if (text.find('\0') != std::string::npos || Utf8(U16(text)) != text ||
        !EncodeText(text, reading.kind, reading.mark, again, error) || again != bytes) {
        return std::nullopt;
    }
    return text;
}

std::string Hex(const std::string& bytes) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (!hex.empty()) {
            hex += ' ';
        }
        hex += kDigits[value >> 4];
        hex += kDigits[value & 0xF];
    }
    return hex;
}

}  // namespace

nlohmann::json MappingFileEntry(const std::string& bytes) {
    const std::string_view start = bytes;
    std::vector<Reading> readings;
    if (start.starts_with("\xFF\xFE")) {
        readings.push_back({"utf-16le", TextEncodingKind::kUtf16Le, true});
    } else if (start.starts_with("\xFE\xFF")) {
        readings.push_back({"utf-16be", TextEncodingKind::kUtf16Be, true});
    } else if (start.starts_with("\xEF\xBB\xBF")) {
        readings.push_back({"utf-8", TextEncodingKind::kUtf8, true});
    }
    readings.push_back({"utf-8", TextEncodingKind::kUtf8, false});
    readings.push_back({"ansi", TextEncodingKind::kAnsi, false});
    for (const Reading& reading : readings) {
        if (const std::optional<std::string> text = TextIfExact(bytes, reading)) {
            nlohmann::json entry = {{"text", *text}};
            if (reading.kind != TextEncodingKind::kUtf8) {
                entry["encoding"] = reading.encoding;
            }
            if (reading.mark) {
                entry["bom"] = true;
            }
            return entry;
        }
    }
    return {{"hex", Hex(bytes)}};
}
