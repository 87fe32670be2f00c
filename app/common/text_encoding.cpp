#include "app/common/text_encoding.h"

#if !defined(_WIN32)
#include <iconv.h>
#endif

#include <cerrno>

#include "app/common/text_conversion.h"
#include "sim/winsys/windows_1252.h"

bool ParseTextEncoding(const std::string& name, TextEncodingKind& encoding) {
    if (name == "utf-8") {
        encoding = TextEncodingKind::kUtf8;
    } else if (name == "utf-16le") {
        encoding = TextEncodingKind::kUtf16Le;
    } else if (name == "utf-16be") {
        encoding = TextEncodingKind::kUtf16Be;
    } else if (name == "ansi") {
        encoding = TextEncodingKind::kAnsi;
    } else {
        return false;
    }
    return true;
}

namespace {

#if defined(_WIN32)
// Windows has no iconv: the stand-in's Windows-1252 table, read backwards.
bool ToWindows1252(const std::string& utf8, std::string& bytes, std::string& error) {
    std::string out;
    const std::u16string text = U16(utf8);
    for (char16_t c : text) {
        int byte = 0;
        while (byte < 256 && sim::windows1252ToUtf16(static_cast<unsigned char>(byte)) != c) {
            ++byte;
        }
        if (byte == 256) {
            error = "the text has a character that Windows-1252 cannot hold";
            return false;
        }
        out.push_back(static_cast<char>(byte));
    }
    bytes = out;
    return true;
}
#else
bool ToWindows1252(const std::string& utf8, std::string& bytes, std::string& error) {
    iconv_t cd = iconv_open("WINDOWS-1252", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        error = "this system cannot convert to Windows-1252";
        return false;
    }
    std::string in = utf8;
    char* src = in.data();
    std::size_t srcLeft = in.size();
    std::string out(in.size() + 1, '\0');
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    const std::size_t done = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const int why = errno;
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        error = why == EILSEQ ? "the text has a character that Windows-1252 cannot hold"
                              : "the text is not valid UTF-8";
        return false;
    }
    out.resize(out.size() - dstLeft);
    bytes = out;
    return true;
}
#endif

}  // namespace

bool EncodeText(const std::string& utf8, TextEncodingKind encoding, bool mark, std::string& bytes,
                std::string& error) {
    bytes.clear();
    switch (encoding) {
        case TextEncodingKind::kUtf8:
            if (mark) {
                bytes = "\xEF\xBB\xBF";
            }
            bytes += utf8;
            return true;
        case TextEncodingKind::kAnsi:
            return ToWindows1252(utf8, bytes, error);
        case TextEncodingKind::kUtf16Le:
        case TextEncodingKind::kUtf16Be: {
            const bool little = encoding == TextEncodingKind::kUtf16Le;
            std::u16string text = U16(utf8);
            if (mark) {
                text.insert(text.begin(), u'\xFEFF');
            }
            for (char16_t c : text) {
                const char lo = static_cast<char>(c & 0xFF);
                const char hi = static_cast<char>(c >> 8);
                bytes.push_back(little ? lo : hi);
                bytes.push_back(little ? hi : lo);
            }
            return true;
        }
    }
    return false;
}

bool DecodeHex(const std::string& hex, std::string& bytes) {
    bytes.clear();
    int pending = -1;
    for (char c : hex) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c == ' ' && pending < 0) {
            continue;
        } else {
            return false;
        }
        if (pending < 0) {
            pending = digit;
        } else {
            bytes.push_back(static_cast<char>(pending * 16 + digit));
            pending = -1;
        }
    }
    return pending < 0;
}
