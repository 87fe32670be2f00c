// MultiByteToWideChar for a system without Windows code pages.
//
// Mapping files are written on Windows machines, so the ANSI code page is Windows-1252
// unless the environment variable VEXA_ANSI_CODEPAGE names another one (any name iconv
// knows, e.g. CP1250 or SHIFT_JIS). Windows-1252 is converted by its own table, the same in
// every build; other single-byte code pages are turned into a table once, multi-byte ones
// are converted by iconv on every call.
#if !defined(_WIN32)
#include <iconv.h>
#endif

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "host/winsys.h"
#include "sim/winsys/portable_text.h"
#include "sim/winsys/windows_1252.h"

namespace sim {

namespace {

constexpr char kDefaultAnsiCodePage[] = "CP1252";
constexpr unsigned kCpUtf8 = 65001;

// Collects UTF-16 output: counts only when no destination is given, and never writes
// past the destination's length.
class WideSink {
  public:
    WideSink(char16_t* dst, int dstLen) : dst_(dst), dstLen_(dstLen) {}
    void put(char16_t c) {
        if (dst_ != nullptr) {
            if (count_ >= dstLen_) {
                overflow_ = true;
                return;
            }
            dst_[count_] = c;
        }
        ++count_;
    }
    int result() const { return overflow_ ? 0 : count_; }

  private:
    char16_t* dst_;
    int dstLen_;
    int count_ = 0;
    bool overflow_ = false;
};

std::string CodePageName(unsigned codePage) {
    if (codePage == winsys::kCpAcp) {
        const char* chosen = std::getenv("VEXA_ANSI_CODEPAGE");
        return chosen != nullptr && *chosen != 0 ? chosen : kDefaultAnsiCodePage;
    }
    if (codePage == kCpUtf8) {
        return "UTF-8";
    }
    return "CP" + std::to_string(codePage);
}

#if !defined(_WIN32)
constexpr char16_t kReplacement = 0xFFFD;

// Bytes that a Windows single-byte code page leaves undefined in 0x80..0x9F come out as
// the C1 control of the same value; elsewhere as the replacement character.
char16_t UndefinedByte(unsigned byte) {
    return byte >= 0x80 && byte <= 0x9F ? static_cast<char16_t>(byte) : kReplacement;
}

class CodePage {
  public:
    explicit CodePage(iconv_t cd) : cd_(cd) { singleByte_ = BuildTable(); }
    ~CodePage() { iconv_close(cd_); }
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    bool singleByte() const { return singleByte_; }

    void ConvertSingle(const unsigned char* src, int srcLen, WideSink& out) const {
        for (int i = 0; i < srcLen; ++i) {
            out.put(table_[src[i]]);
        }
    }

    // Undecodable bytes become one replacement character each, as the system function
    // does without MB_ERR_INVALID_CHARS. The caller serialises use of the descriptor.
    void ConvertMulti(const unsigned char* src, int srcLen, WideSink& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(reinterpret_cast<const char*>(src));
        std::size_t inLeft = static_cast<std::size_t>(srcLen);
        while (inLeft > 0) {
            char16_t chunk[256];
            char* outPtr = reinterpret_cast<char*>(chunk);
            std::size_t outLeft = sizeof chunk;
            const std::size_t done = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            const int error = done == static_cast<std::size_t>(-1) ? errno : 0;
            const std::size_t produced = (sizeof chunk - outLeft) / sizeof(char16_t);
            for (std::size_t k = 0; k < produced; ++k) {
                out.put(chunk[k]);
            }
            if (error == EILSEQ || error == EINVAL) {
                out.put(kReplacement);
                ++in;
                --inLeft;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            } else if (error != 0 && error != E2BIG) {
                break;
            }
        }
    }

  private:
    // False when some byte is a lead byte (the page is multi-byte).
    bool BuildTable() {
        for (unsigned byte = 0; byte < 256; ++byte) {
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            char in[1] = {static_cast<char>(byte)};
            char* inPtr = in;
            std::size_t inLeft = 1;
            char16_t out[4] = {};
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t outLeft = sizeof out;
            const std::size_t done = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            const std::size_t produced = (sizeof out - outLeft) / sizeof(char16_t);
            if (done == static_cast<std::size_t>(-1) && errno == EINVAL) {
                return false;
            }
            if (done == static_cast<std::size_t>(-1) || produced != 1) {
                if (produced > 1) {
                    return false;
                }
                table_[byte] = UndefinedByte(byte);
            } else {
                table_[byte] = out[0];
            }
        }
        return true;
    }

    iconv_t cd_;
    bool singleByte_ = false;
    std::array<char16_t, 256> table_{};
};

std::mutex& CodePagesLock() {
    static std::mutex lock;
    return lock;
}

// Opened once per name and kept for the life of the process. An unknown name falls back
// to the default page, with one notice, rather than turning every line into nothing.
CodePage* FindCodePage(const std::string& name) {
    static std::map<std::string, std::unique_ptr<CodePage>> pages;
    auto found = pages.find(name);
    if (found != pages.end()) {
        return found->second.get();
    }
    constexpr char kUtf16[] = "UTF-16LE";
    iconv_t cd = iconv_open(kUtf16, name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "vexahost: unknown code page \"%s\", using %s\n", name.c_str(),
                     kDefaultAnsiCodePage);
        cd = iconv_open(kUtf16, kDefaultAnsiCodePage);
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            return nullptr;
        }
    }
    return pages.emplace(name, std::make_unique<CodePage>(cd)).first->second.get();
}

#endif

}  // namespace

int portableMultiByteToWideChar(unsigned codePage, unsigned flags, const char* src, int srcLen,
                                char16_t* dst, int dstLen) {
    if (flags != 0 || src == nullptr || srcLen == 0 || srcLen < -1 || dstLen < 0 ||
        (dstLen > 0 && dst == nullptr)) {
        return 0;
    }
    if (srcLen == -1) {
        srcLen = static_cast<int>(std::strlen(src)) + 1;  // the terminator is converted too
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(src);
    WideSink out(dstLen > 0 ? dst : nullptr, dstLen);
    std::string name = CodePageName(codePage);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (name == kDefaultAnsiCodePage) {
        for (int i = 0; i < srcLen; ++i) {
            out.put(windows1252ToUtf16(bytes[i]));
        }
        return out.result();
    }
#if defined(_WIN32)
    return 0;
#else
    std::unique_lock lock(CodePagesLock());
    CodePage* page = FindCodePage(name);
    if (page == nullptr) {
        return 0;
    }
    if (page->singleByte()) {
        lock.unlock();  // the table is never changed once built
        page->ConvertSingle(bytes, srcLen, out);
    } else {
        page->ConvertMulti(bytes, srcLen, out);
    }
    return out.result();
#endif
}

}  // namespace sim
