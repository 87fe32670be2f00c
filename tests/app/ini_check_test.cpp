#include "app/ini_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/text_file_read.h"

#include <sstream>
#include <string>

#include "host/vx_string.h"
#include "tests/config/test_files.h"

namespace {

using testfiles::TempDir;

struct Check {
    int code = -1;
    std::string out;
    std::string err;
};

Check RunCheck(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    Check check;
    check.code = runIniCheck(args, out, err);
    check.out = out.str();
    check.err = err.str();
    return check;
}

std::string Utf8Path(const std::u16string& path) {
    return VxString(path).toUtf8();
}

TEST(IniCheck, CleanFileReportsSectionsInDeliveryOrder) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write(
        "map.ini", testfiles::Utf16(u"; mapping\r\n[VexaBomToKORDANE]\r\nTITLE=T\r\nQTY=Q\r\n"
                                    u"SUPER=Base\r\n[Base]\r\nQTY=MENGE\r\nITEM=POS\r\n",
                                    false, true)));
    const Check check = RunCheck({path});
    EXPECT_EQ(check.code, 0) << check.out;
    EXPECT_EQ(check.out, "file: " + path +
                             "\n"
                             "encoding: UTF-16LE with byte-order mark\n"
                             "load state: 1\n"
                             "sections: 2\n"
                             "\n[BASE]\nITEM=POS\nQTY=MENGE\n"
                             "\n[VEXABOMTOKORDANE]\nITEM=POS\nQTY=MENGE\nSUPER=Base\nTITLE=T\n"
                             "\nwarnings: 0\n");
    EXPECT_EQ(check.err, "");
}

TEST(IniCheck, WarnsAboutWhatTheLoadDoesSilently) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write("map.ini",
                                                "ORPHAN=1\n"       // 1
                                                "[S]\n"            // 2
                                                "Qty = QTY\n"      // 3
                                                " [X]\n"           // 4
                                                "no equals\n"      // 5
                                                "A=1\n"            // 6
                                                "A=2\n"            // 7
                                                "SUPER=Missing\n"  // 8
                                                " ;K=V\n"          // 9
                                                "[]\n"             // 10
                                                "[T]\n"            // 11
                                                "super=t\n"        // 12
                                                "[s]\n"            // 13
                                                "SUPER=T\n"        // 14
                                                "L=" +
                                                    std::string(1200, 'v') +  // 15
                                                    "\n"));
    const Check check = RunCheck({path});
    EXPECT_EQ(check.code, 1);
    const std::string expected =
        "line 1: before the first section header: ignored\n"
        "line 3: key \"Qty \" ends with a blank, which is part of the key\n"
        "line 3: value \" QTY\" begins with a blank, which is part of the value\n"
        "line 4: a blank before \"[\": not a section header\n"
        "line 5: no \"=\": ignored\n"
        "line 7: key \"A\" given again in [S]: the value of line 6 is lost\n"
        "line 9: a blank before \";\": not a comment\n"
        "line 9: key \" ;K\" begins with a blank, which is part of the key\n"
        "line 10: section header with an empty name\n"
        "line 12: SUPER of [T] names the section itself\n"
        "line 13: section [S] given again: the section of line 2 is discarded\n"
        "line 15: longer than 999 bytes: split, its rest is read as a line of its own\n"
        "line 15: no \"=\": ignored\n";
    const std::size_t at = check.out.find("warnings: 13\n");
    ASSERT_NE(at, std::string::npos) << check.out;
    EXPECT_EQ(check.out.substr(at + 13), expected);
    EXPECT_NE(check.out.find("encoding: ANSI code page\n"), std::string::npos);
}

TEST(IniCheck, SuperNamingAMissingSection) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write("m.ini", "[A]\nSUPER= B\n[B]\nK=V\n"));
    const Check check = RunCheck({path, "--section", "a"});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(check.out, "SUPER= B\n");
    EXPECT_EQ(check.err,
              "line 2: value \" B\" begins with a blank, which is part of the value\n"
              "line 2: SUPER of [A] names [ B], which is not in the file: ignored\n");
}

TEST(IniCheck, SectionOptionPrintsOnlyTheDeliveredPairs) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write(
        "m.ini", testfiles::Utf8WithMark("[First]\nSUPER=Base\nITEM=POS\nNAME=Gr\xC3\xB6\xC3\x9F"
                                         "e\n[BASE]\nITEM=NR\nQTY=MENGE\n")));
    const Check check = RunCheck({"--section", "first", path});
    EXPECT_EQ(check.code, 0) << check.err;
    EXPECT_EQ(check.out,
              "ITEM=NR\nNAME=Gr\xC3\xB6\xC3\x9F"
              "e\nQTY=MENGE\nSUPER=Base\n");
    EXPECT_EQ(check.err, "");

    const Check missing = RunCheck({path, "--section", "Nowhere"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "no section [NOWHERE] in the file\n");
}

TEST(IniCheck, FilesThatDoNotLoad) {
    TempDir dir;
    const std::string missing = Utf8Path((dir.path() / "absent.ini").u16string());
    Check check = RunCheck({missing});
    EXPECT_EQ(check.code, 2);
    EXPECT_EQ(check.out, "");
    EXPECT_NE(check.err.find(missing), std::string::npos);

    EXPECT_EQ(RunCheck({Utf8Path(dir.Write("one.ini", "["))}).code, 2);
    EXPECT_EQ(RunCheck({Utf8Path(dir.path().u16string())}).code, 2) << "a directory";

    const std::u16string large = dir.Write("large.ini", "[A]\n");
    std::filesystem::resize_file(large, CTextFileRead::kMostBytes + 1);
    const Check tooLarge = RunCheck({Utf8Path(large)});
    EXPECT_EQ(tooLarge.code, 2);
    EXPECT_NE(tooLarge.err.find("larger than 64 MiB"), std::string::npos) << tooLarge.err;
#ifndef _WIN32
    const Check device = RunCheck({"/dev/zero"});
    EXPECT_EQ(device.code, 2) << "and it ended";
    EXPECT_NE(device.err.find("not a regular file"), std::string::npos) << device.err;
#endif

    const Check headerless = RunCheck({Utf8Path(dir.Write("h.ini", "; nothing\n"))});
    EXPECT_EQ(headerless.code, 1);
    EXPECT_NE(headerless.out.find("load state: -2\n"), std::string::npos);
    EXPECT_NE(headerless.out.find("no section header: the file holds no section\n"),
              std::string::npos);
}

TEST(IniCheck, WrongArguments) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"--section"},
                                                 {"a.ini", "b.ini"},
                                                 {"a.ini", "--bogus"},
                                                 {"a.ini", "--section", "A", "--section", "B"}}) {
        const Check check = RunCheck(args);
        EXPECT_EQ(check.code, 2);
        EXPECT_NE(check.err.find("usage: vexa-sim ini-check FILE [--section NAME]"),
                  std::string::npos);
    }
}

}  // namespace

TEST(IniCheck, ControlCharactersOfTheFileAreShownEscaped) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write(
        "map.ini", testfiles::Utf16(u"[Sec\x1b[2J]\r\nKEY\a=V\b\x1b]0;x\r\n", false, true)));
    const Check check = RunCheck({path});
    for (const char raw : {'\x1b', '\a', '\b'}) {
        EXPECT_EQ(check.out.find(raw), std::string::npos) << "raw control character " << int(raw);
        EXPECT_EQ(check.err.find(raw), std::string::npos) << "raw control character " << int(raw);
    }
    EXPECT_NE(check.out.find("KEY\\x07=V\\x08\\x1b]0;x"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("\\x1b[2J"), std::string::npos) << check.out;
}
