#include "app/common/terminal_text.h"

#include <cstdio>

std::string EscapeControls(std::string_view utf8) {
    std::string shown;
    shown.reserve(utf8.size());
    char code[8];
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7f) {
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            shown += code;
        } else if (byte == 0xc2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9f) {
            // U+0080..U+009F: terminals take some of them (U+009B) as the start of a sequence
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned char>(utf8[++i]));
            shown += code;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

std::vector<std::string> EscapedLines(std::string_view utf8) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = utf8.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? utf8.size() : end;
        const std::size_t cut = stop > start && utf8[stop - 1] == '\r' ? stop - 1 : stop;
        lines.push_back(EscapeControls(utf8.substr(start, cut - start)));
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 1;
    }
}
