#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "host/winsys.h"
#include "sim/winsys/portable_text.h"
#include "tests/support/utf16_bytes.h"

// The statistical test's verdicts are the portable equivalent's own (the system's differ, see
// differential_test.cpp); the conversion's contract holds for whichever function the build
// uses.

namespace {

int Tests(std::string_view bytes, int requested = 0xFF) {
    int flags = requested;
    sim::portableIsTextUnicode(bytes.data(), static_cast<int>(bytes.size()), &flags);
    return flags;
}

constexpr int kForward = 0x0F;
constexpr int kReverse = 0xF0;

TEST(TextUnicode, Utf16InBothByteOrders) {
    const std::u16string latin = u"[VexaBomToKORDANE]\r\nITEM=POS\r\n";
    const int le = Tests(Utf16(latin, false, false));
    EXPECT_EQ(le, winsys::kUnicodeAscii16 | winsys::kUnicodeStatistics | winsys::kUnicodeControls);
    const int be = Tests(Utf16(latin, true, false));
    EXPECT_EQ(be, winsys::kUnicodeReverseAscii16 | winsys::kUnicodeReverseStatistics |
                      winsys::kUnicodeReverseControls);

    const int leMark = Tests(Utf16(latin, false, true));
    EXPECT_EQ(leMark & winsys::kUnicodeSignature, winsys::kUnicodeSignature);
    EXPECT_EQ(leMark & kReverse, 0);
    const int beMark = Tests(Utf16(latin, true, true));
    EXPECT_EQ(beMark & winsys::kUnicodeReverseSignature, winsys::kUnicodeReverseSignature);
    EXPECT_EQ(beMark & kForward, 0);

    // Cyrillic without any blank: only the statistics can tell.
    const std::u16string cyrillic = u"\u041F\u0440\u0438\u0432\u0435\u0442\u043C\u0438\u0440";
    EXPECT_EQ(Tests(Utf16(cyrillic, false, false)), winsys::kUnicodeStatistics);
    EXPECT_EQ(Tests(Utf16(cyrillic, true, false)), winsys::kUnicodeReverseStatistics);

    const std::string bytes = Utf16(latin, false, false);
    int flags = 0xFF;
    EXPECT_TRUE(sim::portableIsTextUnicode(bytes.data(), static_cast<int>(bytes.size()), &flags));
    const std::string reversed = Utf16(latin, true, false);
    EXPECT_FALSE(
        sim::portableIsTextUnicode(reversed.data(), static_cast<int>(reversed.size()), nullptr));
}

TEST(TextUnicode, NarrowTextPassesNoTest) {
    for (std::string_view text : {
             std::string_view("[VexaBomToKORDANE]\r\nITEM=POS\r\nQTY=MENGE\r\n"),
             std::string_view("[S]\nA=1\nB=2\nA=3\n[T]\nX=1\n[s]\nC=4\nC=5\n"),
             std::string_view("a=b=c=d=e=f=g=h=i=j=k=l=m=n=o=p="),
             std::string_view("A\tB\tC\tD\tE\tF\tG\tH\t"),
             std::string_view("[S]\nxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"),
             std::string_view("BENENNUNG=Gr\xC3\xB6\xC3\x9F"
                              "e\r\nNAME=Caf\xC3\xA9\r\n"),
             std::string_view("BENENNUNG=Gr\xF6\xDF"
                              "e\r\n"),
         }) {
        EXPECT_EQ(Tests(text), 0) << text;
    }
}

TEST(TextUnicode, BinaryDataAndShortInput) {
    std::string counting;
    for (int i = 0; i < 512; ++i) {
        counting.push_back(static_cast<char>(0x80 + i % 128));
    }
    EXPECT_EQ(Tests(counting), 0);
    EXPECT_EQ(Tests(std::string(64, '\0')), 0) << "zeros are neither ASCII nor text";
    EXPECT_EQ(Tests("A"), 0);
    EXPECT_EQ(Tests(""), 0);
    for (auto* isTextUnicode : {&sim::portableIsTextUnicode, &winsys::isTextUnicode}) {
        int flags = 0xFF;
        EXPECT_FALSE(isTextUnicode(nullptr, 10, &flags));
        EXPECT_EQ(flags, 0);
    }
}

TEST(TextUnicode, ReportsOnlyRequestedTests) {
    const std::string bytes = Utf16(u"\uFEFFA B", false, false);
    EXPECT_EQ(Tests(bytes, winsys::kUnicodeSignature), winsys::kUnicodeSignature);
    EXPECT_EQ(Tests(bytes, winsys::kUnicodeControls | winsys::kUnicodeReverseControls),
              winsys::kUnicodeControls);
    EXPECT_EQ(Tests(bytes, 0), 0);
}

std::u16string Convert(std::string_view bytes) {
    const int needed = winsys::multiByteToWideChar(winsys::kCpAcp, 0, bytes.data(),
                                                   static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(needed), u'#');
    const int written = winsys::multiByteToWideChar(
        winsys::kCpAcp, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), needed);
    EXPECT_EQ(written, needed);
    return out;
}

TEST(CodePage, AnsiIsWindows1252ByDefault) {
#if !defined(_WIN32)
    ::unsetenv("VEXA_ANSI_CODEPAGE");
#endif
    EXPECT_EQ(Convert("ITEM=\x80\x81\x8A\xA5\xE9\xFF"),
              u"ITEM=\u20AC\u0081\u0160\u00A5\u00E9\u00FF");
}

#if !defined(_WIN32)
// Sets VEXA_ANSI_CODEPAGE for one scope.
class AnsiCodePage {
  public:
    explicit AnsiCodePage(const char* name) { ::setenv("VEXA_ANSI_CODEPAGE", name, 1); }
    ~AnsiCodePage() { ::unsetenv("VEXA_ANSI_CODEPAGE"); }
};

TEST(CodePage, EnvironmentChoosesAnother) {
    {
        AnsiCodePage page("CP1250");
        EXPECT_EQ(Convert("\xA5\xE8\x8A"), u"\u0104\u010D\u0160");
    }
    {
        AnsiCodePage page("SHIFT_JIS");
        EXPECT_EQ(Convert("A\x82\xA0"
                          "B\x82"),
                  u"A\u3042B\uFFFD")
            << "a lone lead byte";
    }
    {
        AnsiCodePage page("NO-SUCH-PAGE");
        EXPECT_EQ(Convert("\x80"), u"\u20AC") << "an unknown name falls back to Windows-1252";
    }
    EXPECT_EQ(Convert("\xA5"), u"\u00A5");
}

#endif

TEST(CodePage, CallContract) {
    char16_t out[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(winsys::multiByteToWideChar(winsys::kCpAcp, 0, "abc", -1, nullptr, 0), 4)
        << "-1 converts the terminator too";
    EXPECT_EQ(winsys::multiByteToWideChar(winsys::kCpAcp, 0, "abcdef", 6, out, 3), 0)
        << "too small a destination fails";
    EXPECT_EQ(out[3], u'#') << "and is never written past its length";
    EXPECT_EQ(winsys::multiByteToWideChar(winsys::kCpAcp, 0, "abc", 0, out, 4), 0);
    EXPECT_EQ(winsys::multiByteToWideChar(winsys::kCpAcp, 0, nullptr, 3, out, 4), 0);
    EXPECT_EQ(winsys::multiByteToWideChar(65001, 0, "\xE2\x82\xAC", 3, out, 4), 1);
    EXPECT_EQ(out[0], u'\u20AC');
}

}  // namespace
