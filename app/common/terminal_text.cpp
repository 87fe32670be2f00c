#include "app/common/terminal_text.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHex(std::string& to, const char* prefix, unsigned char value) {
    to += prefix;
    to += kHexDigits[value >> 4];
    to += kHexDigits[value & 0xF];
}

// The length of the UTF-8 sequence that starts at `at`, or 0 when the bytes there are no
// valid UTF-8: a stray continuation byte, an overlong form, a surrogate, a code point beyond
// U+10FFFF or a sequence cut short.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned char lowest = 0x80;
    unsigned char highest = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = lead == 0xE0 ? 0xA0 : 0x80;
        highest = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = lead == 0xF0 ? 0x90 : 0x80;
        highest = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - at < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if (next < (i == 1 ? lowest : 0x80) || next > (i == 1 ? highest : 0xBF)) {
            return 0;
        }
    }
    return length;
}

// A C0 control or DEL.
void AppendControl(std::string& to, unsigned char byte, EscapeForm form) {
    if (form == EscapeForm::kTerminal) {
        if (byte == '\t') {
            to += '\t';
        } else {
            AppendHex(to, "\\x", byte);
        }
        return;
    }
    if (form == EscapeForm::kJsonString) {
        constexpr std::string_view kShort = "\b\f\n\r\t";
        constexpr std::string_view kLetters = "bfnrt";
        if (const std::size_t at = kShort.find(static_cast<char>(byte));
            at != std::string_view::npos) {
            to += '\\';
            to += kLetters[at];
            return;
        }
    }
    AppendHex(to, "\\u00", byte);
}

bool IsPlain(unsigned char byte, EscapeForm form) {
    return byte >= 0x20 && byte < 0x7f &&
           (form != EscapeForm::kJsonString || (byte != '"' && byte != '\\'));
}

}  // namespace

std::string EscapeControls(std::string_view utf8, EscapeForm form) {
    std::string shown;
    shown.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        // Most texts are printable ASCII: their runs are copied whole.
        std::size_t plain = i;
        while (plain < utf8.size() && IsPlain(static_cast<unsigned char>(utf8[plain]), form)) {
            ++plain;
        }
        shown.append(utf8.substr(i, plain - i));
        i = plain;
        if (i == utf8.size()) {
            break;
        }
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x20 && byte < 0x7f) {
            shown += '\\';
            shown += static_cast<char>(byte);
            ++i;
        } else if (byte < 0x80) {
            AppendControl(shown, byte, form);
            ++i;
        } else if (const std::size_t length = SequenceLength(utf8, i); length == 0) {
            AppendHex(shown, "\\x", byte);
            ++i;
        } else if (byte == 0xC2 && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            AppendHex(shown, "\\u00", static_cast<unsigned char>(utf8[i + 1]));
            i += 2;
        } else {
            shown.append(utf8.substr(i, length));
            i += length;
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
