// The transcript for people: command-line output as the host shows it, boxes set apart, PDM
// traffic one line per call, and nothing that a terminal would take as a control sequence.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/common/transcript.h"

namespace {

std::string Text(const sim::Event& event) {
    std::ostringstream out;
    Transcript(out, TranscriptFormat::kText).Write(event);
    return out.str();
}

TEST(TextTranscript, CommandLineOutputIsPlainWithTheHostsLineBreaks) {
    EXPECT_EQ(Text({{"ev", "print"}, {"text", "Unknown command \"FOO\".  Press F1 for help."}}),
              "Unknown command \"FOO\".  Press F1 for help.\n")
        << "texts are not quoted";
    EXPECT_EQ(Text({{"ev", "print"}, {"text", "\nfirst\r\nsecond\n"}}), "first\nsecond\n")
        << "the break a text begins or ends with is the transcript's own";
    EXPECT_EQ(Text({{"ev", "print"}, {"text", "\n\nafter a blank line"}}),
              "\nafter a blank line\n");
    EXPECT_EQ(Text({{"ev", "prompt"}, {"prompt", "\nEnter key: "}, {"answer", "K-1"}}),
              "Enter key: K-1\n");
    EXPECT_EQ(Text({{"ev", "prompt"}, {"prompt", "Enter key: "}, {"cancelled", true}}),
              "Enter key: *Cancel*\n");
}

TEST(TextTranscript, ControlCharactersNeverReachTheTerminal) {
    EXPECT_EQ(Text({{"ev", "print"}, {"text", "red\x1b[31m bell\a back\b tab\tend"}}),
              "red\\x1b[31m bell\\x07 back\\x08 tab\tend\n");
    EXPECT_EQ(Text({{"ev", "print"},
                    {"text",
                     "del\x7f csi\xc2\x9b"
                     "2J \xc3\xa4"}}),
              "del\\x7f csi\\u009b2J \xc3\xa4\n")
        << "DEL and C1 escaped, other characters kept";
    EXPECT_EQ(Text({{"ev", "alert"}, {"text", "a\x1b]0;title\a"}}),
              "  +-- alert\n  | a\\x1b]0;title\\x07\n  +--\n");
    EXPECT_EQ(Text({{"ev", "command"}, {"name", "X\x1b"}, {"source", "typed"}}),
              "Command: X\\x1b   (typed)\n");
    EXPECT_EQ(Text({{"ev", "file"},
                    {"path",
                     "ws/a\xc2\x9b"
                     "2J\x7fKorBom.txt"},
                    {"bytes", 3}}),
              "[file] ws/a\\u009b2J\\x7fKorBom.txt (3 bytes)\n")
        << "a file the module names after the PDM's text";
    EXPECT_EQ(Text({{"ev", "fault.unfired"}, {"op", "readRow\xc2\x9b"}}),
              "[fault.unfired] {\"op\":\"readRow\\u009b\"}\n")
        << "events without a text form of their own";
}

TEST(TextTranscript, BoxesAreFramedWithTheirTextsPlain) {
    EXPECT_EQ(
        Text({{"ev", "alert"}, {"text", "VexaBomToKORDANE\nThe mapping section is missing."}}),
        "  +-- alert\n"
        "  | VexaBomToKORDANE\n"
        "  | The mapping section is missing.\n"
        "  +--\n");
    EXPECT_EQ(Text({{"ev", "alert"}, {"text", "\nThe mapping file cannot be read."}}),
              "  +-- alert\n  | \n  | The mapping file cannot be read.\n  +--\n")
        << "a box shows its first empty line";
    EXPECT_EQ(
        Text({{"ev", "msgbox"}, {"text", "Replace \"K-1\"?"}, {"style", 4}, {"answer", "yes"}}),
        "  +-- message box, Yes/No\n  | Replace \"K-1\"?\n  +-- answer: yes\n");
    EXPECT_EQ(Text({{"ev", "msgbox"}, {"text", "?"}, {"style", 36}, {"answer", "no"}}),
              "  +-- message box, Yes/No\n  | ?\n  +-- answer: no\n")
        << "the icon bits are not buttons";
    EXPECT_EQ(Text({{"ev", "msgbox"}, {"text", "?"}, {"style", 15}, {"answer", "ok"}}),
              "  +-- message box, style 15\n  | ?\n  +-- answer: ok\n");
    EXPECT_EQ(Text({{"ev", "dialog"},
                    {"id", 210},
                    {"caption", "Part \"reference\""},
                    {"texts", {{"1001", "two\nlines"}, {"1002", "x"}}},
                    {"check", true},
                    {"result", 1}}),
              "  +-- dialog 210: Part \"reference\"\n"
              "  | 1001: two\n"
              "  |       lines\n"
              "  | 1002: x\n"
              "  | check: true\n"
              "  +-- result: 1\n");
}

TEST(TextTranscript, PdmTrafficStaysOneLinePerCall) {
    EXPECT_EQ(Text({{"ev", "pdm.call"},
                    {"name", "BOMELEMENTINFO"},
                    {"arg", "DESCR \"a\nb\""},
                    {"code", 0}}),
              "PDM BOMELEMENTINFO \"DESCR \\\"a\\nb\\\"\" -> 0\n");
    EXPECT_EQ(Text({{"ev", "pdm.prep"}, {"expr", "#(HasPart)\n"}, {"result", "1\x1b"}}),
              "PDM prep \"#(HasPart)\\n\" -> \"1\\u001b\"\n");
    EXPECT_EQ(Text({{"ev", "pdm.prep"}, {"expr", "@(Where \"a=b\" #C)"}, {"result", "Part 1"}}),
              "PDM prep \"@(Where \\\"a=b\\\" #C)\" -> \"Part 1\"\n");
    EXPECT_EQ(
        Text({{"ev", "pdm.call"}, {"name", "X"}, {"arg", "a\\b\x7f \xc3\xa4 \xff"}, {"code", 0}}),
        "PDM X \"a\\\\b\\u007f \xc3\xa4 \\xff\" -> 0\n")
        << "backslash and DEL escaped, other characters as they are, a byte that is not UTF-8 "
           "shown as a byte";
    EXPECT_EQ(Text({{"ev", "queue"},
                    {"text",
                     "A\xc2\x9b"
                     "2J\n"}}),
              "[queued] \"A\\u009b2J\\n\"\n")
        << "a C1 control escaped as everywhere else";
}

// Counts how often the transcript hands its lines on.
class CountingBuffer : public std::stringbuf {
  public:
    int syncs = 0;

  protected:
    int sync() override {
        ++syncs;
        return std::stringbuf::sync();
    }
};

TEST(TextTranscript, IsHandedOnAtEachCommandNotAtEachLine) {
    CountingBuffer buffer;
    std::ostream out(&buffer);
    Transcript transcript(out, TranscriptFormat::kText);
    transcript.Write({{"ev", "command"}, {"name", "ORBDBOM"}, {"source", "typed"}});
    EXPECT_EQ(buffer.syncs, 1) << "a run that dies in the command still shows it";
    for (int i = 0; i < 100; ++i) {
        transcript.Write(
            {{"ev", "pdm.call"}, {"name", "BOMELEMENTINFO"}, {"arg", "A"}, {"code", 0}});
    }
    EXPECT_EQ(buffer.syncs, 1);
    transcript.Flush();
    EXPECT_EQ(buffer.syncs, 2);
}

TEST(JsonlTranscript, IsTheEventAsOneJsonLine) {
    const sim::Event event{{"ev", "print"}, {"text", "a\nb\x1b"}};
    std::ostringstream out;
    Transcript(out, TranscriptFormat::kJsonl).Write(event);
    EXPECT_EQ(out.str(), "{\"ev\":\"print\",\"text\":\"a\\nb\\u001b\"}\n");

    // JSON leaves DEL and the C1 controls raw, which a terminal may act on.
    out.str("");
    Transcript(out, TranscriptFormat::kJsonl)
        .Write({{"ev", "pdm.prep"},
                {"expr", "x\x7f"},
                {"result",
                 "\xc2\x9b"
                 "2J \xc3\xa4"}});
    EXPECT_EQ(out.str(),
              "{\"ev\":\"pdm.prep\",\"expr\":\"x\\u007f\",\"result\":\"\\u009b2J \xc3\xa4\"}\n");
    EXPECT_EQ(nlohmann::json::parse(out.str())["result"],
              "\xc2\x9b"
              "2J \xc3\xa4")
        << "the same JSON";
}

}  // namespace

namespace {

std::string Shown(const sim::Event& event, TranscriptFormat format, TranscriptDetail detail) {
    std::ostringstream out;
    Transcript transcript(out, format);
    transcript.SetDetail(detail);
    transcript.Write(event);
    return out.str();
}

}  // namespace

// --quiet drops the PDM protocol in both forms; the host's internal markers are for --verbose
// in the text, and always in jsonl.
TEST(TextTranscript, DetailDecidesWhatIsShown) {
    const sim::Event call{{"ev", "pdm.call"}, {"name", "BOMSTART"}, {"arg", ""}, {"code", 0}};
    const sim::Event regen{{"ev", "regen"}};
    const sim::Event alert{{"ev", "alert"}, {"text", "x"}};
    for (const TranscriptFormat format : {TranscriptFormat::kText, TranscriptFormat::kJsonl}) {
        EXPECT_EQ(Shown(call, format, TranscriptDetail::kQuiet), "");
        EXPECT_NE(Shown(call, format, TranscriptDetail::kNormal), "");
        EXPECT_NE(Shown(alert, format, TranscriptDetail::kQuiet), "");
        EXPECT_EQ(Shown(regen, format, TranscriptDetail::kQuiet), "");
    }
    EXPECT_EQ(Shown(regen, TranscriptFormat::kText, TranscriptDetail::kNormal), "");
    EXPECT_EQ(Shown(regen, TranscriptFormat::kText, TranscriptDetail::kVerbose), "[regen]\n");
    EXPECT_EQ(Shown(regen, TranscriptFormat::kJsonl, TranscriptDetail::kNormal),
              "{\"ev\":\"regen\"}\n");
}

TEST(TextTranscript, FilesAreNamedByAPathTheUserCanOpen) {
    std::ostringstream out;
    Transcript transcript(out, TranscriptFormat::kText);
    const std::filesystem::path work = std::filesystem::absolute("work");
    transcript.SetWorkDirectory(work);
    transcript.Write({{"ev", "file"}, {"path", "ws/../D1KorBom.txt"}, {"bytes", 3}});
    const std::filesystem::path outside = std::filesystem::absolute("outside/x.txt");
    transcript.Write({{"ev", "file"}, {"path", outside.string()}, {"bytes", 1}});
    EXPECT_EQ(out.str(), "[file] " + (work / "D1KorBom.txt").string() + " (3 bytes)\n[file] " +
                             outside.string() + " (1 bytes)\n");
}

TEST(TextTranscript, SummaryNamesWhatWentWrongOnlyWhenItDid) {
    const sim::Event summary{
        {"ev", "summary"},   {"command", "ORBDBOM"},     {"step", 0},          {"rowsRead", 7},
        {"rowsSent", 6},     {"skippedNoItem", 1},       {"skippedNoKey", 0},  {"partNumbers", 2},
        {"rowsWritten", 2},  {"partRefsWritten", 0},     {"fieldsWritten", 2}, {"refused", 0},
        {"errorAnswers", 0}, {"unknownKeys", {"K\x1b"}}, {"alerts", 1},        {"hostFailures", 0}};
    EXPECT_EQ(Text(summary),
              "[summary] ORBDBOM: 7 rows read, 6 sent, 1 skipped (1 no item), 2 part numbers "
              "received, 2 rows written, 0 part references written, 2 fields written, 0 PDM calls "
              "refused, 0 PDM error answers, 1 alerts; keys the PDM does not know: \"K\\x1b\"\n");
}
