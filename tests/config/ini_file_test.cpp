#include "config/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/host/faults.h"
#include "tests/config/test_files.h"

namespace {

using testfiles::TempDir;

SectionEntries Section(const CIniFile& file, const std::u16string& name, bool reversed = false) {
    SectionEntries entries;
    file.ReadSection(name, reversed, entries);
    return entries;
}

struct Loaded {
    TempDir dir;
    CIniFile file;
    bool result = false;
    explicit Loaded(std::string_view bytes) { result = file.Load(dir.Write("map.ini", bytes)); }
};

TEST(IniFile, ExamplesTable) {
    Loaded ini(
        "[VexaBomToKORDANE]\r\n"
        "; fields of the BOM\r\n"
        "ITEM=POS\r\n"
        "Qty = QTY\r\n"
        "A=B=C\r\n"
        "super=Common\r\n"
        " [X]\r\n");
    ASSERT_TRUE(ini.result);
    EXPECT_EQ(ini.file.SectionNames(), std::vector<std::u16string>{u"VEXABOMTOKORDANE"});
    const SectionEntries expected = {
        {u"A", u"B=C"}, {u"ITEM", u"POS"}, {u"Qty ", u" QTY"}, {u"SUPER", u"Common"}};
    EXPECT_EQ(Section(ini.file, u"VexaBomToKORDANE"), expected);
}

TEST(IniFile, SectionNamesFoldToUpperCase) {
    Loaded ini("[VexaBomToKORDANE]\nITEM=POS\n");
    EXPECT_TRUE(ini.file.HasSection(u"VEXABOMTOKORDANE"));
    EXPECT_TRUE(ini.file.HasSection(u"vexabomtokordane"));
    EXPECT_TRUE(ini.file.HasSection(u"VexaBomToKORDANE"));
    EXPECT_FALSE(ini.file.HasSection(u"VexaBom"));
    EXPECT_EQ(Section(ini.file, u"vexabomtokordane").size(), 1u);
}

TEST(IniFile, HeaderRules) {
    Loaded ini("[a]b]c\nK=1\n[open\nK=2\n[]\nK=3\n[x]=y\nK=4\n;[y]\nK=5\n");
    EXPECT_EQ(ini.file.SectionNames(), (std::vector<std::u16string>{u"", u"A]B", u"OPEN", u"X"}));
    EXPECT_EQ(Section(ini.file, u"a]b"), (SectionEntries{{u"K", u"1"}}));
    EXPECT_EQ(Section(ini.file, u"OPEN"), (SectionEntries{{u"K", u"2"}}));
    EXPECT_EQ(Section(ini.file, u""), (SectionEntries{{u"K", u"3"}}));
    EXPECT_EQ(Section(ini.file, u"X"), (SectionEntries{{u"K", u"5"}}))
        << "a comment line does not start a section; the later K replaces the earlier";
}

TEST(IniFile, NothingIsTrimmed) {
    Loaded ini("[S]\nITEM =POS\n ITEM=X\nV=a \n ;K=1\n");
    const SectionEntries entries = Section(ini.file, u"S");
    EXPECT_FALSE(entries.contains(u"ITEM"));
    EXPECT_EQ(entries.at(u"ITEM "), u"POS");
    EXPECT_EQ(entries.at(u" ITEM"), u"X");
    EXPECT_EQ(entries.at(u"V"), u"a ");
    EXPECT_EQ(entries.at(u" ;K"), u"1") << "a \";\" after a blank does not make a comment";
}

TEST(IniFile, LaterDefinitionsReplaceEarlierOnes) {
    Loaded ini("[S]\nA=1\nB=2\nA=3\n[T]\nX=1\n[s]\nC=4\nC=5\n");
    EXPECT_EQ(Section(ini.file, u"S"), (SectionEntries{{u"C", u"5"}}))
        << "only the entries after the second header remain";
    EXPECT_EQ(Section(ini.file, u"T"), (SectionEntries{{u"X", u"1"}}));
}

TEST(IniFile, SuperSectionValuesWin) {
    Loaded ini("[First]\nSUPER=Base\nITEM=POS\n[BASE]\nITEM=NR\nQTY=MENGE\n");
    const SectionEntries expected = {{u"ITEM", u"NR"}, {u"QTY", u"MENGE"}, {u"SUPER", u"Base"}};
    EXPECT_EQ(Section(ini.file, u"FIRST"), expected);
    EXPECT_EQ(Section(ini.file, u"BASE"), (SectionEntries{{u"ITEM", u"NR"}, {u"QTY", u"MENGE"}}));
}

TEST(IniFile, SuperFollowsOneLevelAndOnlyExistingSections) {
    Loaded ini(
        "[A]\nsUpEr=b\nOWN=1\n"
        "[B]\nSUPER=C\nMID=2\n"
        "[C]\nDEEP=3\n"
        "[SELF]\nSUPER=self\nK=V\n"
        "[BLANK]\nSUPER= B\nK=V\n"
        "[NONE]\nSUPER=Missing\nK=V\n");
    EXPECT_EQ(Section(ini.file, u"A"),
              (SectionEntries{{u"MID", u"2"}, {u"OWN", u"1"}, {u"SUPER", u"C"}}))
        << "the base's own SUPER replaces the pair but is not followed";
    EXPECT_EQ(Section(ini.file, u"SELF"), (SectionEntries{{u"K", u"V"}, {u"SUPER", u"self"}}));
    EXPECT_EQ(Section(ini.file, u"BLANK"), (SectionEntries{{u"K", u"V"}, {u"SUPER", u" B"}}));
    EXPECT_EQ(Section(ini.file, u"NONE"), (SectionEntries{{u"K", u"V"}, {u"SUPER", u"Missing"}}));
}

TEST(IniFile, ReadSectionFillsTheCallersMap) {
    Loaded ini("[S]\nSUPER=B\nITEM=POS\n[B]\nQTY=MENGE\n[EMPTY]\n");
    SectionEntries entries = {{u"KEEP", u"1"}, {u"ITEM", u"old"}};
    EXPECT_TRUE(ini.file.ReadSection(u"s", false, entries));
    EXPECT_EQ(
        entries,
        (SectionEntries{{u"ITEM", u"POS"}, {u"KEEP", u"1"}, {u"QTY", u"MENGE"}, {u"SUPER", u"B"}}));

    SectionEntries reversed;
    EXPECT_TRUE(ini.file.ReadSection(u"S", true, reversed));
    EXPECT_EQ(reversed, (SectionEntries{{u"B", u"SUPER"}, {u"MENGE", u"QTY"}, {u"POS", u"ITEM"}}));

    SectionEntries untouched = {{u"X", u"Y"}};
    EXPECT_FALSE(ini.file.ReadSection(u"MISSING", false, untouched));
    EXPECT_EQ(untouched, (SectionEntries{{u"X", u"Y"}}));

    SectionEntries empty;
    EXPECT_TRUE(ini.file.HasSection(u"EMPTY"));
    EXPECT_FALSE(ini.file.ReadSection(u"EMPTY", false, empty));
    EXPECT_TRUE(empty.empty());
}

TEST(IniFile, EntriesComeInOrdinalOrder) {
    Loaded ini("[S]\nitem=1\nTITLE=2\nQTY=3\nQ=4\n\xC4=5\nZ=6\n");  // C4 is A-umlaut
    std::vector<std::u16string> keys;
    for (const FieldMapping& entry : Section(ini.file, u"S")) {
        keys.push_back(entry.first);
    }
    EXPECT_EQ(keys,
              (std::vector<std::u16string>{u"Q", u"QTY", u"TITLE", u"Z", u"item", u"\u00C4"}));
}

TEST(IniFile, LoadStates) {
    TempDir dir;
    CIniFile fresh;
    EXPECT_EQ(fresh.LoadState(), 0);

    CIniFile missing;
    const std::u16string missingPath = (dir.path() / "nope.ini").u16string();
    EXPECT_FALSE(missing.Load(missingPath));
    EXPECT_EQ(missing.LoadState(), -1);
    EXPECT_EQ(missing.GetFileName(), missingPath) << "remembered although the file did not open";

    for (std::string_view bytes : {std::string_view(""), std::string_view("[")}) {
        CIniFile tiny;
        EXPECT_FALSE(tiny.Load(dir.Write("tiny.ini", bytes)));
        EXPECT_EQ(tiny.LoadState(), -1) << bytes.size() << " bytes";
    }
    CIniFile directory;
    EXPECT_FALSE(directory.Load(dir.path().u16string()));
    EXPECT_EQ(directory.LoadState(), -1);

    CIniFile headerless;
    EXPECT_FALSE(headerless.Load(dir.Write("h.ini", "; only comments\nITEM=POS\n")));
    EXPECT_EQ(headerless.LoadState(), -2);

    CIniFile empty;
    EXPECT_FALSE(empty.Load(u""));
    EXPECT_EQ(empty.LoadState(), -1);

    CIniFile good;
    EXPECT_TRUE(good.Load(dir.Write("g.ini", "[]\n")));
    EXPECT_EQ(good.LoadState(), 1) << "an empty section name is still a section";
}

// Failing after the first block, a read delivered only the sections before it as if they
// were the whole file.
TEST(IniFile, AFileThatFailsPartWayLoadsNothing) {
    TempDir dir;
    const std::u16string path =
        dir.Write("m.ini", "[A]\nK=V\n;" + std::string(2000, 'x') + "\n[B]\nL=W\n");
    // The first read tells the encoding; after the rewind the lines come in two more.
    sim::clearFaults();
    sim::armFault("readFile", 3, 1);
    CIniFile file;
    EXPECT_FALSE(file.Load(path));
    EXPECT_EQ(file.LoadState(), -1);
    SectionEntries entries;
    EXPECT_FALSE(file.ReadSection(u"A", false, entries));
    EXPECT_TRUE(sim::unfiredFaults().empty());

    sim::clearFaults();
    sim::armFault("openFile", 1, 1);
    CIniFile unopened;
    EXPECT_FALSE(unopened.Load(path));
    EXPECT_EQ(unopened.LoadState(), -1);
    sim::clearFaults();
    CIniFile whole;
    EXPECT_TRUE(whole.Load(path));
    EXPECT_TRUE(whole.ReadSection(u"B", false, entries));
}

TEST(IniFile, SameContentInEveryEncoding) {
    const std::u16string text =
        u"; Zuordnung\r\n[VexaBomToKORDANE]\r\nBENENNUNG=Gr\u00F6\u00DFe\r\nSUPER=common\r\n"
        u"[Common]\r\nITEM=POS\r\n";
    std::string ansi;
    for (char16_t c : text) {
        ansi.push_back(static_cast<char>(c));  // Latin-1 letters are the same in Windows-1252
    }
    const std::string utf8 =
        "; Zuordnung\r\n[VexaBomToKORDANE]\r\nBENENNUNG=Gr\xC3\xB6\xC3\x9F"
        "e\r\n"
        "SUPER=common\r\n[Common]\r\nITEM=POS\r\n";
    const SectionEntries expected = {
        {u"BENENNUNG", u"Gr\u00F6\u00DFe"}, {u"ITEM", u"POS"}, {u"SUPER", u"common"}};
    for (const std::string& bytes :
         {ansi, testfiles::Utf8WithMark(utf8), testfiles::Utf16(text, false, true),
          testfiles::Utf16(text, true, true), testfiles::Utf16(text, false, false),
          testfiles::Utf16(text, true, false)}) {
        Loaded ini(bytes);
        EXPECT_EQ(ini.file.LoadState(), 1);
        EXPECT_EQ(Section(ini.file, u"VEXABOMTOKORDANE"), expected);
    }
}

TEST(IniFile, LongValueContinuesAsALineOfItsOwn) {
    // "K=" plus 1200 letters: the first line holds 997 characters, the rest (1200 - 995
    // letters, then "=tail") is parsed as an entry of its own.
    const std::string value(1200, 'v');
    Loaded ini(testfiles::Utf8WithMark("[S]\r\nK=" + value + "=tail\r\n"));
    const SectionEntries entries = Section(ini.file, u"S");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.at(u"K"), std::u16string(995, u'v'));
    EXPECT_EQ(entries.at(std::u16string(205, u'v')), u"tail");
}

TEST(IniFile, HostileInputLoadsWithinBounds) {
    std::string garbage;
    for (int i = 0; i < 50000; ++i) {
        garbage.push_back(static_cast<char>((i * 7919 + 13) % 251));
    }
    Loaded binary(garbage);
    EXPECT_NE(binary.file.LoadState(), 0);

    Loaded nul(std::string("[S]\nA=1\0B=2\n[T\0U]\nC=3\n", 22));
    EXPECT_EQ(Section(nul.file, u"S"), (SectionEntries{{u"A", u"1"}}))
        << "a NUL ends the line's text";
    EXPECT_TRUE(nul.file.HasSection(u"T"));

    Loaded invalid(testfiles::Utf8WithMark("[S]\nK=\xFF\xFE\xC0\nL=\xE2\x82\n"));
    // Follow-on bytes are taken whatever their top bits: C0 0A decodes to a line feed, and
    // E2 82 0A swallows the terminator into one character.
    EXPECT_EQ(Section(invalid.file, u"S"),
              (SectionEntries{{u"K", u"\uFFFD\uFFFD"}, {u"L", u"\u208A"}}));

    Loaded odd(testfiles::Utf16(u"[S]\r\nK=V", false, true) + "X");
    EXPECT_EQ(Section(odd.file, u"S"), (SectionEntries{{u"K", u"V"}}));

    Loaded megabyteLine("[S]\n" + std::string(1 << 20, 'x') + "\nK=V\n");
    EXPECT_EQ(Section(megabyteLine.file, u"S"), (SectionEntries{{u"K", u"V"}}));

    std::string many;
    for (int i = 0; i < 1000000; ++i) {
        many += "[S" + std::to_string(i) + "]\n";
    }
    Loaded sections(many);
    EXPECT_EQ(sections.file.LoadState(), 1);
    EXPECT_EQ(sections.file.SectionNames().size(), 1000000u);
    EXPECT_TRUE(sections.file.HasSection(u"s999999"));
}

}  // namespace
