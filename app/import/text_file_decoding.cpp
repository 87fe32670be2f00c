#include "app/import/text_file_decoding.h"

#include <string_view>

#include "app/common/text_conversion.h"
#include "app/import/import_error.h"
#include "app/import/utf16_units.h"

namespace {

// Lines end at LF, CR LF or a lone CR, as the delimited reader counts them.
template <typename Char>
std::size_t LineOf(std::basic_string_view<Char> text, std::size_t at) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) {
        if (text[i] == Char('\n') ||
            (text[i] == Char('\r') && (i + 1 >= text.size() || text[i + 1] != Char('\n')))) {
            ++line;
        }
    }
    return line;
}

template <typename Text>
std::size_t FirstDifference(const Text& a, const Text& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) {
        ++i;
    }
    return i;
}

// The conversions replace what they cannot convert with U+FFFD, so a text is valid exactly
// when converting it there and back gives it again.
std::string FromUtf16(std::string_view bytes, bool little) {
    const std::u16string units = Utf16Units(bytes, little);
    if (bytes.size() % 2 != 0) {
        throw ImportError(LineOf<char16_t>(units, units.size()),
                          "the file is UTF-16 but ends inside a character (an odd number of "
                          "bytes)");
    }
    std::string utf8 = Utf8(units);
    const std::u16string back = U16(utf8);
    if (back != units) {
        throw ImportError(LineOf<char16_t>(units, FirstDifference(units, back)),
                          "a UTF-16 surrogate without its partner (the file is not valid UTF-16)");
    }
    return utf8;
}

std::string FromUtf8(std::string_view bytes) {
    std::string utf8(bytes);
    const std::string back = Utf8(U16(utf8));
    if (back != utf8) {
        throw ImportError(LineOf<char>(utf8, FirstDifference(utf8, back)),
                          "invalid UTF-8 (save the file as UTF-8 or UTF-16)");
    }
    return utf8;
}

}  // namespace

DecodedText DecodeTextFile(const std::string& bytes) {
    const std::string_view all = bytes;
    DecodedText decoded;
    if (all.starts_with("\xFF\xFE") || all.starts_with("\xFE\xFF")) {
        decoded.utf16 = true;
        decoded.utf8 = FromUtf16(all.substr(2), all[0] == '\xFF');
    } else {
        decoded.utf8 = FromUtf8(all.starts_with("\xEF\xBB\xBF") ? all.substr(3) : all);
    }
    if (const std::size_t nul = decoded.utf8.find('\0'); nul != std::string::npos) {
        throw ImportError(LineOf<char>(decoded.utf8, nul), "a NUL character");
    }
    return decoded;
}
