#include "host/vx_string.h"

#include <cstdint>
#include <cwctype>

#include "sim/host/utf8_text.h"

VxString& VxString::makeUpper() {
    for (char16_t& c : text_) {
        // Surrogates are left alone: towupper works on whole characters only.
        if (c < 0xD800 || c > 0xDFFF) {
            c = static_cast<char16_t>(std::towupper(static_cast<std::wint_t>(c)));
        }
    }
    return *this;
}

namespace {

void appendNumber(std::u16string& out, long long value, bool isSigned) {
    unsigned long long magnitude = 0;
    if (isSigned && value < 0) {
        out.push_back(u'-');
        magnitude = 0ULL - static_cast<unsigned long long>(value);
    } else {
        magnitude = static_cast<unsigned long long>(value);
    }
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (n > 0) {
        out.push_back(digits[--n]);
    }
}

}  // namespace

VxString VxString::formatArgs(const char16_t* fmt, const VxFormatArg* args, std::size_t count) {
    std::u16string out;
    if (fmt == nullptr) {
        return VxString(out);
    }
    std::size_t next = 0;
    for (const char16_t* p = fmt; *p != 0; ++p) {
        if (*p != u'%') {
            out.push_back(*p);
            continue;
        }
        const char16_t directive = p[1];
        if (directive == 0) {
            out.push_back(u'%');
            break;
        }
        ++p;
        if (directive == u'%') {
            out.push_back(u'%');
            continue;
        }
        if (directive != u's' && directive != u'd' && directive != u'u') {
            out.push_back(u'%');
            out.push_back(directive);
            continue;
        }
        if (next >= count) {
            continue;  // no argument left: expand to nothing
        }
        const VxFormatArg& arg = args[next++];
        if (directive == u's') {
            if (arg.kind == VxFormatArg::Kind::kText && arg.text != nullptr) {
                out.append(arg.text);
            }
        } else if (arg.kind != VxFormatArg::Kind::kText) {
            const bool asSigned = directive == u'd';
            long long value = arg.number;
            if (!asSigned && arg.kind == VxFormatArg::Kind::kSigned) {
                value = static_cast<long long>(static_cast<unsigned int>(value));
            } else if (asSigned && arg.kind == VxFormatArg::Kind::kUnsigned) {
                value = static_cast<int>(static_cast<unsigned int>(value));
            }
            appendNumber(out, value, asSigned);
        }
    }
    return VxString(out);
}

namespace {

// The ASCII run of from that starts at i, appended to out in one go: nearly every text of a
// drawing is one. Answers where the run ends.
template <class From, class To>
std::size_t appendAscii(const From& from, std::size_t i, To& out) {
    std::size_t end = i;
    while (end < from.size() && static_cast<std::uint32_t>(from[end]) < 0x80) {
        ++end;
    }
    const std::size_t at = out.size();
    out.resize(at + (end - i));
    for (std::size_t k = i; k < end; ++k) {
        out[at + (k - i)] = static_cast<typename To::value_type>(from[k]);
    }
    return end;
}

}  // namespace

void sim::appendUtf16(std::string_view utf8, std::u16string& out) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        i = appendAscii(utf8, i, out);
        if (i == utf8.size()) {
            break;
        }
        const unsigned char b0 = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0xFFFD;
        std::size_t extra = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            cp = b0 & 0x1F;
            extra = 1;
        } else if ((b0 & 0xF0) == 0xE0) {
            cp = b0 & 0x0F;
            extra = 2;
        } else if ((b0 & 0xF8) == 0xF0) {
            cp = b0 & 0x07;
            extra = 3;
        }
        std::size_t taken = 1;
        bool valid = b0 < 0x80 || extra > 0;
        for (std::size_t k = 0; valid && k < extra; ++k) {
            if (i + 1 + k >= utf8.size() ||
                (static_cast<unsigned char>(utf8[i + 1 + k]) & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + 1 + k]) & 0x3F);
            ++taken;
        }
        if (!valid || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            cp = 0xFFFD;
            taken = valid ? taken : 1;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += taken;
    }
}

VxString VxString::fromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    sim::appendUtf16(utf8, out);
    return VxString(std::move(out));
}

void sim::appendUtf8(std::u16string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        i = appendAscii(text, i, out);
        if (i == text.size()) {
            break;
        }
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a lone surrogate cannot be written as UTF-8
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

std::string VxString::toUtf8() const {
    std::string out;
    out.reserve(text_.size());
    sim::appendUtf8(text_, out);
    return out;
}
