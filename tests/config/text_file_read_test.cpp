#include "config/text_file_read.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>  // mkfifo: pipes in the file system are POSIX only
#endif

#include "tests/config/test_files.h"

namespace {

using testfiles::TempDir;
using testfiles::Utf16;
using testfiles::Utf8WithMark;
using Lines = std::vector<std::u16string>;

struct Read {
    bool opened = false;
    CTextFileRead::TextEncoding encoding = CTextFileRead::Ansi;
    Lines lines;
};

// Reads the way the mapping-file loader does: while not at the end, one line per call.
Read ReadAll(const std::u16string& path, int size = 1000) {
    Read result;
    CTextFileRead reader;
    result.opened = reader.Open(path);
    if (!result.opened) {
        return result;
    }
    result.encoding = reader.Encoding();
    std::u16string buffer(static_cast<std::size_t>(size), u'\0');
    while (!reader.AtEnd() && reader.ReadLine(buffer.data(), size)) {
        result.lines.emplace_back(buffer.c_str());
    }
    EXPECT_TRUE(reader.Close());
    return result;
}

Read ReadBytes(std::string_view bytes, int size = 1000) {
    TempDir dir;
    return ReadAll(dir.Write("file.txt", bytes), size);
}

TEST(TextFileRead, ByteOrderMarksChooseTheEncoding) {
    const std::u16string text = u"Gr\u00F6\u00DFe=\u20AC\r\nB=2";
    const Lines expected = {u"Gr\u00F6\u00DFe=\u20AC", u"B=2"};

    Read le = ReadBytes(Utf16(text, false, true));
    EXPECT_EQ(le.encoding, CTextFileRead::Utf16LittleEndian);
    EXPECT_EQ(le.lines, expected);

    Read be = ReadBytes(Utf16(text, true, true));
    EXPECT_EQ(be.encoding, CTextFileRead::Utf16BigEndian);
    EXPECT_EQ(be.lines, expected);

    Read utf8 =
        ReadBytes(Utf8WithMark("Gr\xC3\xB6\xC3\x9F"
                               "e=\xE2\x82\xAC\r\nB=2"));
    EXPECT_EQ(utf8.encoding, CTextFileRead::Utf8);
    EXPECT_EQ(utf8.lines, expected);
}

TEST(TextFileRead, EfBbWithoutBfIsAnsi) {
    Read read = ReadBytes(
        "\xEF\xBB"
        "A=1");
    ASSERT_TRUE(read.opened);
    EXPECT_EQ(read.encoding, CTextFileRead::Ansi);
    EXPECT_EQ(read.lines, Lines{u"\u00EF\u00BBA=1"});  // EF and BB through Windows-1252

    EXPECT_FALSE(ReadBytes("\xEF\xBB").opened) << "EF BB at the end of the file";
}

TEST(TextFileRead, FilesThatDoNotOpen) {
    TempDir dir;
    CTextFileRead reader;
    EXPECT_FALSE(reader.Open(dir.Write("empty", "")));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_FALSE(reader.Open(dir.Write("one", "A")));
    EXPECT_FALSE(reader.Open(dir.Write("mark", "\xFF")));
    EXPECT_FALSE(reader.Open((dir.path() / "missing").u16string()));
    EXPECT_FALSE(reader.Open(dir.path().u16string())) << "a directory";
    EXPECT_FALSE(reader.Close()) << "nothing is open";
    char16_t buffer[8] = {u'x', u'x'};
    EXPECT_FALSE(reader.ReadLine(buffer, 8));
    EXPECT_EQ(buffer[0], 0);
}

TEST(TextFileRead, FilesThatNeverEndAreNotOpened) {
    TempDir dir;
    CTextFileRead reader;
    // Sparse: a size past the bound costs no disk.
    const std::u16string large = dir.Write("large.ini", "[A]\r\n");
    std::filesystem::resize_file(large, CTextFileRead::kMostBytes + 1);
    EXPECT_FALSE(reader.Open(large));
    EXPECT_EQ(reader.LastRefusal(), CTextFileRead::Refusal::kTooLarge);
    EXPECT_FALSE(reader.Open(dir.path().u16string()));
    EXPECT_EQ(reader.LastRefusal(), CTextFileRead::Refusal::kNotRegular);
    EXPECT_FALSE(reader.Open((dir.path() / "absent").u16string()));
    EXPECT_EQ(reader.LastRefusal(), CTextFileRead::Refusal::kMissing);
    EXPECT_TRUE(reader.Open(dir.Write("fine.ini", "[A]\r\n")));
    EXPECT_EQ(reader.LastRefusal(), CTextFileRead::Refusal::kNone);
#ifndef _WIN32
    EXPECT_FALSE(reader.Open(u"/dev/zero"));
    EXPECT_EQ(reader.LastRefusal(), CTextFileRead::Refusal::kNotRegular);
    const std::filesystem::path fifo = dir.path() / "pipe.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(reader.Open(fifo.u16string())) << "and it did not block";
    EXPECT_EQ(reader.LastRefusal(), CTextFileRead::Refusal::kNotRegular);
#endif
}

TEST(TextFileRead, WithoutMarkTheStatisticsDecide) {
    const std::u16string text = u"[VexaBomToKORDANE]\r\nITEM=POS\r\nQTY=MENGE\r\n";
    const Lines expected = {u"[VexaBomToKORDANE]", u"ITEM=POS", u"QTY=MENGE"};

    Read le = ReadBytes(Utf16(text, false, false));
    EXPECT_EQ(le.encoding, CTextFileRead::Utf16LittleEndian);
    EXPECT_EQ(le.lines, expected);

    Read be = ReadBytes(Utf16(text, true, false));
    EXPECT_EQ(be.encoding, CTextFileRead::Utf16BigEndian);
    EXPECT_EQ(be.lines, expected);

    Read ascii = ReadBytes("[VexaBomToKORDANE]\r\nITEM=POS\r\nQTY=MENGE\r\n");
    EXPECT_EQ(ascii.encoding, CTextFileRead::Ansi);
    EXPECT_EQ(ascii.lines, expected);

    // UTF-8 without its mark goes through the ANSI code page, byte by byte.
    Read utf8 = ReadBytes("NAME=Caf\xC3\xA9\r\n");
    EXPECT_EQ(utf8.encoding, CTextFileRead::Ansi);
    EXPECT_EQ(utf8.lines, Lines{u"NAME=Caf\u00C3\u00A9"});
}

TEST(TextFileRead, Utf8Decoding) {
    // Two- and three-byte forms decode; a four-byte form and stray continuation bytes give
    // one replacement character per byte.
    Read read = ReadBytes(Utf8WithMark("\xC3\xA9|\xE2\x82\xAC|\xF0\x9F\x98\x80|\x80|\xC3"));
    ASSERT_EQ(read.lines.size(), 1u);
    EXPECT_EQ(read.lines[0], u"\u00E9|\u20AC|\uFFFD\uFFFD\uFFFD\uFFFD|\uFFFD|");
}

TEST(TextFileRead, Utf16PassesSurrogatesAndDropsAnOddLastByte) {
    std::string bytes = Utf16(u"A=\U0001F600", false, true) + "B";
    Read read = ReadBytes(bytes);
    EXPECT_EQ(read.lines, Lines{u"A=\U0001F600"});
}

TEST(TextFileRead, LineTerminators) {
    EXPECT_EQ(ReadBytes("a\r\n\r\n\r\nb").lines, (Lines{u"a", u"", u"b"}))
        << "a run of n empty lines after a line yields n - 1";
    EXPECT_EQ(ReadBytes("a\rb\nc\r\nd").lines, (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(ReadBytes("a\r\nb\r\n").lines, (Lines{u"a", u"b"})) << "no empty last line";
    EXPECT_EQ(ReadBytes("\r\n\r\na").lines, (Lines{u"", u"a"})) << "the first line is not skipped";
    const std::u16string wide = u"a\r\n\r\n\r\nb\rc\nd\r\n";
    EXPECT_EQ(ReadBytes(Utf16(wide, false, true)).lines, (Lines{u"a", u"", u"b", u"c", u"d"}));
    EXPECT_EQ(ReadBytes(Utf16(wide, true, true)).lines, (Lines{u"a", u"", u"b", u"c", u"d"}));
}

TEST(TextFileRead, LongLinesAreSplitNeverCut) {
    const std::string ansi(1200, 'x');
    Read a = ReadBytes(ansi + "\r\ny");
    ASSERT_EQ(a.lines.size(), 3u);
    EXPECT_EQ(a.lines[0].size(), 999u);
    EXPECT_EQ(a.lines[1].size(), 201u);
    EXPECT_EQ(a.lines[2], u"y");

    Read u = ReadBytes(Utf8WithMark(ansi + "\r\ny"));
    ASSERT_EQ(u.lines.size(), 3u);
    EXPECT_EQ(u.lines[0].size(), 997u);
    EXPECT_EQ(u.lines[1].size(), 203u);

    Read w = ReadBytes(Utf16(std::u16string(1200, u'x') + u"\r\ny", true, true));
    ASSERT_EQ(w.lines.size(), 3u);
    EXPECT_EQ(w.lines[0].size(), 997u);
    EXPECT_EQ(w.lines[1].size(), 203u);

    // Exactly at the limit the terminator still ends the line.
    EXPECT_EQ(ReadBytes(std::string(999, 'x') + "\r\ny").lines.size(), 2u);
}

TEST(TextFileRead, LinesCrossBlockBoundaries) {
    std::string bytes;
    Lines expected;
    for (int i = 0; i < 700; ++i) {
        const std::string line = "KEY" + std::to_string(i) + "=" + std::string(i % 37, 'v');
        bytes += line + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
        expected.emplace_back(line.begin(), line.end());
    }
    EXPECT_EQ(ReadBytes(bytes).lines, expected);
    EXPECT_EQ(ReadBytes(Utf8WithMark(bytes)).lines, expected);
}

TEST(TextFileRead, NeverWritesPastTheCallersBuffer) {
    TempDir dir;
    const std::u16string ansi = dir.Write("a", std::string(50, 'x'));
    const std::u16string wide = dir.Write("w", Utf16(std::u16string(50, u'x'), false, true));
    for (const std::u16string& path : {ansi, wide}) {
        for (int size : {1, 2, 3, 4, 5, 9}) {
            CTextFileRead reader;
            ASSERT_TRUE(reader.Open(path));
            std::u16string buffer(static_cast<std::size_t>(size) + 4, u'#');
            int lines = 0;
            while (!reader.AtEnd() && reader.ReadLine(buffer.data(), size) && lines < 100) {
                ++lines;
                EXPECT_LT(std::u16string_view(buffer.c_str()).size(),
                          static_cast<std::size_t>(size));
            }
            EXPECT_LT(lines, 100) << "size " << size << " must not deliver empty lines forever";
            EXPECT_EQ(buffer.substr(static_cast<std::size_t>(size)), u"####") << "size " << size;
        }
    }
}

TEST(TextFileRead, AfterTheEndReadLineFailsWithAZeroedBuffer) {
    TempDir dir;
    CTextFileRead reader;
    ASSERT_TRUE(reader.Open(dir.Write("f", "only")));
    char16_t buffer[16];
    ASSERT_TRUE(reader.ReadLine(buffer, 16));
    EXPECT_TRUE(reader.AtEnd());
    std::fill(std::begin(buffer), std::end(buffer), u'z');
    EXPECT_FALSE(reader.ReadLine(buffer, 16));
    for (char16_t c : buffer) {
        EXPECT_EQ(c, 0);
    }
}

TEST(TextFileRead, ReportsFileLineNumbersAndSplits) {
    TempDir dir;
    CTextFileRead reader;
    ASSERT_TRUE(reader.Open(dir.Write("f", "a\r\n\r\n\r\n" + std::string(12, 'b') + "\nc")));
    char16_t buffer[10];
    std::vector<std::pair<int, bool>> seen;
    while (!reader.AtEnd() && reader.ReadLine(buffer, 10)) {
        seen.emplace_back(reader.LineNumber(), reader.LineWasSplit());
    }
    const std::vector<std::pair<int, bool>> expected = {
        {1, false}, {3, false}, {4, true}, {4, false}, {5, false}};
    EXPECT_EQ(seen, expected);
}

}  // namespace
