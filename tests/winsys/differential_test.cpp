// The portable text functions against a reference: on Windows the system's own functions, on
// Linux iconv's Windows-1252 (the system's IsTextUnicode exists only on Windows).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/winsys/portable_text.h"
#include "tests/support/utf16_bytes.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

constexpr int kForward = 0x0F;
constexpr int kReverse = 0xF0;

struct Sample {
    std::string name;
    std::string bytes;
};

// Files as mapping files come: every encoding the reader knows, and what it must not take
// for UTF-16.
std::vector<Sample> Corpus() {
    const std::u16string mapping =
        u"[VexaBomToKORDANE]\r\nITEM=POS\r\nQTY=MENGE\r\nDESCR=BENENNUNG\r\n";
    const std::u16string german =
        u"[KORDANEPartRefToVexa]\r\nBENENNUNG=Gr\u00F6\u00DFe \u00C4nderung\r\n";
    const std::u16string cyrillic = u"\u041F\u0440\u0438\u0432\u0435\u0442\u043C\u0438\u0440";
    std::vector<Sample> corpus;
    for (bool bigEndian : {false, true}) {
        for (bool mark : {false, true}) {
            const std::string order = std::string(bigEndian ? "big" : "little") + "-endian" +
                                      (mark ? " with mark" : " without mark");
            corpus.push_back({"UTF-16 mapping, " + order, Utf16(mapping, bigEndian, mark)});
            corpus.push_back({"UTF-16 umlauts, " + order, Utf16(german, bigEndian, mark)});
            corpus.push_back({"UTF-16 Cyrillic, " + order, Utf16(cyrillic, bigEndian, mark)});
        }
    }
    corpus.push_back({"ASCII mapping", "[VexaBomToKORDANE]\r\nITEM=POS\r\nQTY=MENGE\r\n"});
    corpus.push_back({"ASCII with LF only", "[S]\nA=1\nB=2\nA=3\n[T]\nX=1\n"});
    corpus.push_back({"ASCII tab separated", "A\tB\tC\tD\tE\tF\tG\tH\t"});
    corpus.push_back({"Windows-1252 umlauts",
                      "BENENNUNG=Gr\xF6\xDF"
                      "e \xC4nderung \x80\r\n"});
    corpus.push_back({"UTF-8 without mark",
                      "BENENNUNG=Gr\xC3\xB6\xC3\x9F"
                      "e\r\nNAME=Caf\xC3\xA9\r\n"});
    corpus.push_back({"UTF-8 with mark",
                      "\xEF\xBB\xBF"
                      "BENENNUNG=Gr\xC3\xB6\xC3\x9F"
                      "e\r\n"});
    corpus.push_back({"two bytes", "AB"});
    corpus.push_back({"three bytes", "[S]"});
    corpus.push_back({"CR LF only", "\r\n"});
    std::string binary;
    for (int i = 0; i < 512; ++i) {
        binary.push_back(static_cast<char>((i * 151 + 7) % 256));
    }
    corpus.push_back({"binary", binary});
    std::string high;
    for (int i = 0; i < 512; ++i) {
        high.push_back(static_cast<char>(0x80 + i % 128));
    }
    corpus.push_back({"high bytes counting", high});
    return corpus;
}

std::u16string PortableWindows1252(unsigned char byte) {
    char16_t out[2] = {};
    const char in = static_cast<char>(byte);
    EXPECT_EQ(sim::portableMultiByteToWideChar(1252, 0, &in, 1, out, 2), 1) << int(byte);
    return std::u16string(out, 1);
}

#if defined(_WIN32)

int SystemTests(const std::string& bytes) {
    int flags = 0xFF;
    IsTextUnicode(bytes.data(), static_cast<int>(bytes.size()), &flags);
    return flags & 0xFF;
}

// Text without a blank, a line end or an ASCII letter leaves only the statistical test, and
// its verdict is each implementation's own judgement. Wine's IsTextUnicode (the system
// function these tests meet) passes no test for a line of Cyrillic, so it would read such a
// file as ANSI; the portable one judges it UTF-16, which it is, and keeps its verdict.
bool StatisticsOnly(const Sample& sample) {
    return sample.name.starts_with("UTF-16 Cyrillic") && sample.name.ends_with("without mark");
}

TEST(TextDifferential, IsTextUnicodeVerdictsMatchTheSystem) {
    for (const Sample& sample : Corpus()) {
        int portable = 0xFF;
        sim::portableIsTextUnicode(sample.bytes.data(), static_cast<int>(sample.bytes.size()),
                                   &portable);
        if (StatisticsOnly(sample)) {
            const bool big = sample.name.find("big-endian") != std::string::npos;
            EXPECT_EQ(portable, big ? 0x20 : 0x02) << sample.name;
            continue;
        }
        const int system = SystemTests(sample.bytes);
        // What the reader decides on: some test passed for either byte order.
        EXPECT_EQ((portable & kForward) != 0, (system & kForward) != 0)
            << sample.name << ": portable " << std::hex << portable << ", system " << system;
        EXPECT_EQ((portable & kReverse) != 0, (system & kReverse) != 0)
            << sample.name << ": portable " << std::hex << portable << ", system " << system;
    }
}

TEST(TextDifferential, Windows1252MatchesTheSystemForEveryByte) {
    for (int byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t system[2] = {};
        ASSERT_EQ(MultiByteToWideChar(1252, 0, &in, 1, system, 2), 1) << byte;
        EXPECT_EQ(PortableWindows1252(static_cast<unsigned char>(byte)),
                  std::u16string(1, static_cast<char16_t>(system[0])))
            << "byte " << byte;
    }
}

#else

TEST(TextDifferential, Windows1252MatchesIconvForEveryByte) {
    iconv_t cd = iconv_open("UTF-16LE", "CP1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int byte = 0; byte < 256; ++byte) {
        char in[1] = {static_cast<char>(byte)};
        char* inPtr = in;
        std::size_t inLeft = 1;
        char16_t out[2] = {};
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        const bool defined =
            iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        // iconv leaves the five undefined bytes undefined; Windows maps them to the C1 control.
        const char16_t expected = defined ? out[0] : static_cast<char16_t>(byte);
        EXPECT_EQ(PortableWindows1252(static_cast<unsigned char>(byte)),
                  std::u16string(1, expected))
            << "byte " << byte;
    }
    iconv_close(cd);
}

TEST(TextDifferential, CorpusVerdictsFollowTheEncoding) {
    for (const Sample& sample : Corpus()) {
        int flags = 0xFF;
        sim::portableIsTextUnicode(sample.bytes.data(), static_cast<int>(sample.bytes.size()),
                                   &flags);
        const bool utf16 = sample.name.starts_with("UTF-16");
        const bool big = sample.name.find("big-endian") != std::string::npos;
        EXPECT_EQ((flags & kForward) != 0, utf16 && !big) << sample.name << std::hex << flags;
        EXPECT_EQ((flags & kReverse) != 0, utf16 && big) << sample.name << std::hex << flags;
    }
}

#endif

}  // namespace
