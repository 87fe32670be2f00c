#include "config/ini_load_observer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ini_file.h"
#include "tests/config/test_files.h"

namespace {

using testfiles::TempDir;

std::string Ascii(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

// Writes down every call of the loader, one line of text each.
class Recorder : public IniLoadObserver {
  public:
    void OnOpened(CTextFileRead::TextEncoding encoding, std::int32_t markLength,
                  std::int32_t lineLimit) override {
        calls.push_back("opened encoding " + std::to_string(encoding) + " mark " +
                        std::to_string(markLength) + " limit " + std::to_string(lineLimit));
    }
    void OnRefused(CTextFileRead::Refusal why) override {
        calls.push_back("refused " + std::to_string(static_cast<int>(why)));
    }
    void OnLine(const IniLineRead& read) override {
        static const char* const kKinds[] = {"empty", "comment", "header", "entry", "other"};
        static const char* const kFates[] = {"stored", "replaced", "ignored"};
        std::string call = std::to_string(read.number) + " " +
                           kKinds[static_cast<int>(read.line.kind)] + " in " +
                           (read.section != nullptr ? "[" + Ascii(*read.section) + "]" : "none");
        if (read.line.kind == IniLineKind::kHeader && read.restarted) {
            call += " restarted";
        }
        if (read.line.kind == IniLineKind::kEntry) {
            call += std::string(" ") + kFates[static_cast<int>(read.fate)] + " " +
                    Ascii(read.storedKey);
        }
        if (read.split) {
            call += " split";
        }
        if (read.continuation) {
            call += " continuation";
        }
        calls.push_back(call);
    }

    std::vector<std::string> calls;
};

std::vector<std::string> Observe(const std::u16string& path) {
    CIniFile file;
    Recorder recorder;
    file.Load(path, &recorder);
    return recorder.calls;
}

TEST(IniLoadObserver, EveryLineIsToldWithItsKindSectionAndFate) {
    TempDir dir;
    // The reader takes the first empty line after a line as that line's end (see
    // CTextFileRead), so of lines 4 and 5 only one comes.
    const std::string text =
        "K=before\n"      // 1
        "[First]\n"       // 2
        "; note\n"        // 3
        "\n"              // 4
        "\n"              // 5
        "A=1\n"           // 6
        "A=2\n"           // 7
        "no equals\n"     // 8
        "super=Base\n"    // 9
        "[second]\n"      // 10
        "B=3\n"           // 11
        "[FIRST]\n"       // 12
        "A=4\n"           // 13
        " [not]=header";  // 14
    const std::vector<std::string> calls = Observe(dir.Write("map.ini", text));
    const std::vector<std::string> expected = {
        "opened encoding 0 mark 0 limit 999",
        "1 entry in none ignored K",
        "2 header in [FIRST]",
        "3 comment in [FIRST]",
        "5 empty in [FIRST]",
        "6 entry in [FIRST] stored A",
        "7 entry in [FIRST] replaced A",
        "8 other in [FIRST]",
        "9 entry in [FIRST] stored SUPER",
        "10 header in [SECOND]",
        "11 entry in [SECOND] stored B",
        "12 header in [FIRST] restarted",
        "13 entry in [FIRST] stored A",
        "14 entry in [FIRST] stored  [not]",
    };
    EXPECT_EQ(calls, expected);
}

TEST(IniLoadObserver, EncodingAndSplitLinesAreTold) {
    TempDir dir;
    // UTF-16LE with mark: a line holds 997 characters, so "K=" and 1200 letters come as two
    // lines, both of file line 2; the next line is line 3 again.
    const std::u16string longLine = u"K=" + std::u16string(1200, u'v');
    EXPECT_EQ(
        Observe(dir.Write("wide.ini", Utf16(u"[S]\r\n" + longLine + u"\r\nL=1\r\n", false, true))),
        (std::vector<std::string>{"opened encoding 2 mark 2 limit 997", "1 header in [S]",
                                  "2 entry in [S] stored K split", "2 other in [S] continuation",
                                  "3 entry in [S] stored L"}));

    EXPECT_EQ(Observe(dir.Write("utf8.ini", testfiles::Utf8WithMark("[S]\nK=V\n"))),
              (std::vector<std::string>{"opened encoding 3 mark 3 limit 997", "1 header in [S]",
                                        "2 entry in [S] stored K"}));
    EXPECT_EQ(
        Observe(dir.Write("ansi.ini", "[S]\n" + std::string(1000, 'x') + "=\n")),
        (std::vector<std::string>{"opened encoding 0 mark 0 limit 999", "1 header in [S]",
                                  "2 other in [S] split", "2 entry in [S] stored x continuation"}))
        << "an ANSI line is split after 999 bytes";
}

TEST(IniLoadObserver, AFileThatCannotBeReadIsToldWhyAndNothingElse) {
    TempDir dir;
    using Refusal = CTextFileRead::Refusal;
    const auto refused = [](Refusal why) {
        return std::vector<std::string>{"refused " + std::to_string(static_cast<int>(why))};
    };
    EXPECT_EQ(Observe((dir.path() / "missing.ini").u16string()), refused(Refusal::kMissing));
    EXPECT_EQ(Observe(dir.path().u16string()), refused(Refusal::kNotRegular));
    EXPECT_EQ(Observe(dir.Write("tiny.ini", "[")), refused(Refusal::kUnreadable));
}

}  // namespace
