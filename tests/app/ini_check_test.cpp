#include "app/ini_check/ini_check.h"

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
    check.code = RunIniCheck(args, out, err);
    check.out = out.str();
    check.err = err.str();
    return check;
}

std::string Utf8Path(const std::u16string& path) {
    return VxString(path).toUtf8();
}

TEST(IniCheck, ReportsSectionsInDeliveryOrder) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write(
        "map.ini", testfiles::Utf16(u"; mapping\r\n[VexaBomToKORDANE]\r\nTITLE=T\r\nQTY=Q\r\n"
                                    u"SUPER=Base\r\n[Base]\r\nQTY=MENGE\r\nITEM=POS\r\n",
                                    false, true)));
    const Check check = RunCheck({path});
    EXPECT_EQ(check.code, 1) << check.out;
    EXPECT_EQ(check.out, "file: " + path +
                             "\n"
                             "encoding: UTF-16LE with byte-order mark\n"
                             "load state: 1 (read, with at least one section: the module uses "
                             "it)\n"
                             "sections: 2\n"
                             "\n[BASE]\nITEM=POS\nQTY=MENGE\n"
                             "\n[VEXABOMTOKORDANE]\nITEM=POS\nQTY=MENGE\nSUPER=Base\nTITLE=T\n"
                             "\nwarnings: 1\n"
                             "line 4: key \"QTY\" of [VEXABOMTOKORDANE] is also given in its "
                             "SUPER [BASE] on line 7: the module reads the value of line 7, not "
                             "this one\n");
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
        "line 10: section [] is read by no command and named by no SUPER\n"
        "line 12: SUPER of [T] names the section itself\n"
        "line 13: section [S] given again: the section of line 2 is discarded\n"
        "line 13: section [S] is read by no command and named by no SUPER\n"
        "line 15: longer than 999 bytes: split, its rest is read as a line of its own\n"
        "line 15: no \"=\": ignored\n";
    const std::size_t at = check.out.find("warnings: 15\n");
    ASSERT_NE(at, std::string::npos) << check.out;
    EXPECT_EQ(check.out.substr(at + 13), expected);
    EXPECT_NE(check.out.find("encoding: ANSI code page\n"), std::string::npos);
}

TEST(IniCheck, SuperNamingAMissingSection) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write("m.ini", "[A]\nSUPER= B\n[B]\nK=V\n"));
    const Check check = RunCheck({path, "--section", "a"});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(check.out,
              "SUPER= B\n"
              "\nwarnings: 3\n"
              "line 2: value \" B\" begins with a blank, which is part of the value\n"
              "line 2: SUPER of [A] names [ B], which is not in the file: ignored\n"
              "line 3: section [B] is read by no command and named by no SUPER\n")
        << "warnings go to standard output with --section too";
    EXPECT_EQ(check.err, "");
}

TEST(IniCheck, SectionOptionPrintsOnlyTheDeliveredPairs) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write(
        "m.ini", testfiles::Utf8WithMark("[First]\nSUPER=Base\nITEM=POS\nNAME=Gr\xC3\xB6\xC3\x9F"
                                         "e\n[BASE]\nITEM=NR\nQTY=MENGE\n")));
    const Check check = RunCheck({"--section", "first", path});
    EXPECT_EQ(check.code, 1) << check.err;
    const std::string overridden =
        "line 3: key \"ITEM\" of [FIRST] is also given in its SUPER [BASE] on line 6: the module "
        "reads the value of line 6, not this one\n";
    // A section named with --section is read as ORBDCREATEPARTREF2 reads the one typed at its
    // prompt: its values are PDM field expressions, and a bare word is none.
    EXPECT_EQ(check.out,
              "ITEM=NR\nNAME=Gr\xC3\xB6\xC3\x9F"
              "e\nQTY=MENGE\nSUPER=Base\n"
              "\nwarnings: 4\n" +
                  overridden +
                  "line 4: [FIRST] NAME=Gr\xC3\xB6\xC3\x9F"
                  "e: the PDM cannot parse the expression: expected a result expression at "
                  "character 6 of the line\n"
                  "line 6: [BASE] ITEM=NR, read by [FIRST] through SUPER: the PDM cannot parse "
                  "the expression: expected a result expression at character 6 of the line\n"
                  "line 7: [BASE] QTY=MENGE, read by [FIRST] through SUPER: the PDM cannot parse "
                  "the expression: expected a result expression at character 5 of the line\n");
    EXPECT_EQ(check.err, "");

    const Check missing = RunCheck({path, "--section", "Nowhere"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out,
              "\nwarnings: 3\n"
              "line 1: section [FIRST] is read by no command and named by no SUPER\n" +
                  overridden + "no section [NOWHERE] in the file\n");
    EXPECT_EQ(missing.err, "");
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
    EXPECT_NE(headerless.out.find("load state: -2 (read, but no section header: the module finds "
                                  "no section and tries again at every command)\n"),
              std::string::npos)
        << headerless.out;
    EXPECT_NE(headerless.out.find("no section header: the file holds no section\n"),
              std::string::npos);
}

TEST(IniCheck, WrongArguments) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{},
          {"--section"},
          {"a.ini", "b.ini"},
          {"a.ini", "--bogus"},
          {"a.ini", "--section", "A", "--section", "B"},
          {"a.ini", "--scenario"},
          {"a.ini", "--scenario", "a.json", "--scenario", "b.json"}}) {
        const Check check = RunCheck(args);
        EXPECT_EQ(check.code, 2);
        EXPECT_NE(check.err.find("usage: vexa-sim ini-check FILE [--section NAME]"),
                  std::string::npos);
    }
    const Check help = RunCheck({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: vexa-sim ini-check FILE [--section NAME]"), std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("--db"), std::string::npos) << help.out;
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

namespace {

std::string WarningsOf(const Check& check) {
    const std::size_t at = check.out.find("\nwarnings: ");
    return at == std::string::npos ? "(no warnings block)\n" + check.out : check.out.substr(at + 1);
}

}  // namespace

TEST(IniCheck, WarnsWhereTheFileFormatSurprises) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write("map.ini",
                                                "[Base]\n"                 // 1
                                                "DESCR=TITLE\n"            // 2
                                                "QTY=MENGE\n"              // 3
                                                "[Own]\n"                  // 4
                                                "SUPER=base\n"             // 5
                                                "DESCR=DESCRIPTION\n"      // 6
                                                "ITEM=POS\n"               // 7
                                                "[Tail] ; old name\n"      // 8
                                                "[Open\n"                  // 9
                                                "[Both] ; was [Old]\n"));  // 10
    const Check check = RunCheck({path});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(WarningsOf(check),
              "warnings: 8\n"
              "line 4: section [OWN] is read by no command and named by no SUPER\n"
              "line 6: key \"DESCR\" of [OWN] is also given in its SUPER [BASE] on line 2: the "
              "module reads the value of line 2, not this one\n"
              "line 8: text \" ; old name\" after the header's last \"]\": ignored\n"
              "line 8: section [TAIL] is read by no command and named by no SUPER\n"
              "line 9: section header without \"]\": the rest of the line, \"Open\", is the "
              "section's name\n"
              "line 9: section [OPEN] is read by no command and named by no SUPER\n"
              "line 10: the header ends at its last \"]\": the section's name is \"Both] ; was "
              "[Old\"\n"
              "line 10: section [BOTH] ; WAS [OLD] is read by no command and named by no "
              "SUPER\n");
    EXPECT_NE(check.out.find("\n[OWN]\nDESCR=TITLE\nITEM=POS\nQTY=MENGE\nSUPER=base\n"),
              std::string::npos)
        << "the warning must say what the loader does\n"
        << check.out;
    EXPECT_NE(check.out.find("\n[OPEN]\n"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("\n[BOTH] ; WAS [OLD]\n"), std::string::npos) << check.out;
}

namespace {

// A drawing with a parts list of two rows and a PDM with the documents of their keys.
std::string ScenarioJson(const std::string& standardColumns) {
    return R"({
  "drawing": {
    "entities": [ { "handle": 1, "type": "partref", "dataEntry": 7 },
                  { "handle": 2, "type": "partref", "dataEntry": 8 } ],
    "boms": [ { "owner": null, "rows": [
      { "item": "1", "qty": 2, "dataEntry": 7, "cells": { "DESCRIPTION": "Washer", "ORBKEY": "P7.1" } },
      { "item": "2", "qty": 1, "dataEntry": 8, "cells": { "DESCRIPTION": "Bolt", "ORBKEY": "P8.1" } } ] } ],
    "standard": { "columns": [ )" +
           standardColumns + R"( ] }
  },
  "pdm": {
    "env": { "ORBKEY": "D1.1" },
    "hasPart": "1",
    "tables": { "Folder_All_Document": [
      { "ORBKEY": "D1.1", "TITLE": "Drive" },
      { "ORBKEY": "P7.1", "TITLE": "Washer M8" },
      { "ORBKEY": "P8.1", "TITLE": "Bolt M8" } ] }
  },
  "steps": []
})";
}

const std::string kAllColumns =
    R"({ "name": "ITEM" }, { "name": "QTY" }, { "name": "DESCRIPTION" }, { "name": "NOTE", "visible": false })";

Check RunWithScenario(const TempDir& dir, const std::string& mapping, const std::string& columns,
                      std::vector<std::string> more = {}) {
    std::vector<std::string> args = {Utf8Path(dir.Write("map.ini", mapping)), "--scenario",
                                     Utf8Path(dir.Write("s.json", ScenarioJson(columns)))};
    args.insert(args.end(), more.begin(), more.end());
    return RunCheck(args);
}

}  // namespace

TEST(IniCheckScenario, CleanMappingGivesNoWarning) {
    TempDir dir;
    const Check check =
        RunWithScenario(dir,
                        "[VexaBomToKORDANE]\nIDENT=ITEM\nCOUNT=QTY\nDESCR=DESCRIPTION\n"
                        "[KORDANEPartRefToVexa]\nDESCRIPTION=@(TITLE:t)\n"
                        "[KORDANEPartDataToVexa]\nTITLE=@(TITLE:t)\n",
                        kAllColumns);
    EXPECT_EQ(check.code, 0) << check.out << check.err;
    EXPECT_EQ(check.err, "");
    EXPECT_NE(check.out.find("\n[VEXABOMTOKORDANE]: 2 rows with an item\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\n[KORDANEPARTREFTOVEXA]: 2 keys: \"P7.1\", \"P8.1\"\n"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\n[KORDANEPARTDATATOVEXA]: 1 key: \"D1.1\"\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\n[KORDANEPRODUCTTOVEXA]: not in the file\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\nwarnings: 0\n"), std::string::npos) << check.out;
}

TEST(IniCheckScenario, MappedColumnTheStandardLacks) {
    TempDir dir;
    // "MATERIAL" comes in with KORDANEFieldsInVexaBOM, as the transfer adds it first.
    const Check check = RunWithScenario(dir,
                                        "[KORDANEFieldsInVexaBOM]\n"  // 1
                                        "MATERIAL=Material\n"         // 2
                                        "[VexaBomToKORDANE]\n"        // 3
                                        "IDENT=ITEM\n"                // 4
                                        "WEIGHT=WEIGHT\n"             // 5
                                        "MAT=MATERIAL\n"              // 6
                                        "KEY=ORBKEY\n"                // 7
                                        "[KORDANEPartRefToVexa]\n"    // 8
                                        "TITLE=@(TITLE:t)\n",         // 9
                                        kAllColumns);
    EXPECT_EQ(check.code, 1);
    const std::string warnings = WarningsOf(check);
    EXPECT_NE(warnings.find("line 5: [VEXABOMTOKORDANE] WEIGHT=WEIGHT: the parts-list standard has "
                            "no column \"WEIGHT\"\n"),
              std::string::npos)
        << warnings;
    EXPECT_NE(warnings.find("line 9: [KORDANEPARTREFTOVEXA] TITLE=@(TITLE:t): the parts-list "
                            "standard has no column \"TITLE\"\n"),
              std::string::npos)
        << warnings;
    EXPECT_EQ(warnings.find("no column \"MATERIAL\""), std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("no column \"ORBKEY\""), std::string::npos) << warnings;
}

TEST(IniCheckScenario, ExpressionThatAnswersAPdmError) {
    TempDir dir;
    const Check check = RunWithScenario(dir,
                                        "[KORDANEPartRefToVexa]\n"                 // 1
                                        "DESCRIPTION=@(TITLE:t)\n"                 // 2
                                        "NOTE=#(where db=Nowhere (X=1) #NOTE)\n",  // 3
                                        kAllColumns);
    EXPECT_EQ(check.code, 1);
    const std::string warnings = WarningsOf(check);
    EXPECT_EQ(warnings.rfind("warnings: 1\nline 3: [KORDANEPARTREFTOVEXA] NOTE=#(where db=Nowhere "
                             "(X=1) #NOTE): the PDM answers \"!",
                             0),
              0u)
        << warnings;
    EXPECT_NE(warnings.find("\" for keys \"P7.1\", \"P8.1\"\n"), std::string::npos) << warnings;
}

TEST(IniCheckScenario, FieldThatIsEmptyForEveryRow) {
    TempDir dir;
    const Check check = RunWithScenario(dir,
                                        "[VexaBomToKORDANE]\n"       // 1
                                        "IDENT=ITEM\n"               // 2
                                        "REMARK=NOTE\n"              // 3
                                        "[KORDANEPartRefToVexa]\n"   // 4
                                        "NOTE=@(REMARK:t)\n"         // 5
                                        "DESCRIPTION=@(TITLE:t)\n",  // 6
                                        kAllColumns);
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(WarningsOf(check),
              "warnings: 2\n"
              "line 3: [VEXABOMTOKORDANE] REMARK=NOTE: empty in every row with an item: "
              "\"REMARK\" is never sent\n"
              "line 5: [KORDANEPARTREFTOVEXA] NOTE=@(REMARK:t): empty for every key (2)\n");
}

TEST(IniCheckScenario, SectionOptionChecksOnlyThatSection) {
    TempDir dir;
    const std::string mapping =
        "[VexaBomToKORDANE]\nREMARK=NOTE\n[Mine]\nSUPER=Base\n[Base]\nNOTE=@(REMARK:t)\n";
    const Check mine = RunWithScenario(dir, mapping, kAllColumns, {"--section", "mine"});
    EXPECT_EQ(mine.code, 1);
    EXPECT_EQ(mine.out,
              "NOTE=@(REMARK:t)\nSUPER=Base\n"
              "\nscenario: " +
                  Utf8Path((dir.path() / "s.json").u16string()) +
                  "\n[MINE]: 2 keys: \"P7.1\", \"P8.1\"\n"
                  "\nwarnings: 1\n"
                  "line 6: [BASE] NOTE=@(REMARK:t), read by [MINE] through SUPER: empty "
                  "for every key (2)\n")
        << "the line and the section are the ones the value comes from";
    EXPECT_EQ(mine.err, "");

    const Check transfer =
        RunWithScenario(dir, mapping, kAllColumns, {"--section", "VexaBomToKORDANE"});
    EXPECT_EQ(transfer.code, 1);
    EXPECT_NE(transfer.out.find("\nwarnings: 2\n"
                                "line 2: [VEXABOMTOKORDANE] REMARK=NOTE: empty in every row with "
                                "an item: \"REMARK\" is never sent\n"
                                "line 3: section [MINE] is read by no command and named by no "
                                "SUPER\n"),
              std::string::npos)
        << transfer.out;
}

TEST(IniCheckScenario, ScenarioThatCannotBeUsed) {
    TempDir dir;
    const std::string mapping = Utf8Path(dir.Write("map.ini", "[A]\nK=V\n"));
    const Check missing = RunCheck({mapping, "--scenario", Utf8Path(dir.Write("x", "")) + ".none"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("ini-check: "), std::string::npos) << missing.err;

    const Check broken = RunCheck(
        {mapping, "--scenario", Utf8Path(dir.Write("b.json", R"({"drawing": {"boms": 3}})"))});
    EXPECT_EQ(broken.code, 2);
    EXPECT_NE(broken.err.find("at /drawing/boms"), std::string::npos) << broken.err;

    // A scenario is read under the mapping file's own rule.
    const std::string folder = Utf8Path(dir.path().u16string());
    const Check notAFile = RunCheck({mapping, "--scenario", folder});
    EXPECT_EQ(notAFile.code, 2);
    EXPECT_EQ(notAFile.err, "ini-check: " + folder +
                                ": not a regular file (a device, pipe or folder is never read)\n");
}

TEST(IniCheckScenario, KeysAreThoseTheModuleWouldUse) {
    TempDir dir;
    const std::string mapping = Utf8Path(dir.Write("map.ini",
                                                   "[KORDANEProductToVexa]\n"
                                                   "DESCRIPTION=@(TITLE:t)\n"
                                                   "[KORDANEVirtualCompToVEXA]\n"
                                                   "DESCRIPTION=@(TITLE:t)\n"
                                                   "[KORDANEPartRefToVexa]\n"
                                                   "DESCRIPTION=(LISPFN)\n"
                                                   "[KORDANEPartDataToVexa]\n"
                                                   "TITLE=@(TITLE:t)\n"));
    const std::string scenario = Utf8Path(dir.Write("s.json", R"({
  "drawing": {
    "entities": [ { "handle": 1, "type": "partref", "dataEntry": 7 } ],
    "boms": [ { "owner": null, "rows": [
      { "item": "1", "qty": 1, "dataEntry": 7, "cells": { "ORBD_PARTNO": "4711", "ORBD_PARTREV": " B " } } ] } ],
    "standard": { "columns": [ { "name": "ITEM" }, { "name": "DESCRIPTION" } ] }
  },
  "pdm": {
    "env": { "PARTREF": "P1" },
    "selectItem": [ "P2", "P2" ],
    "tables": { "Folder_All_Part": [
      { "ORBKEY": "P1", "IDENT": "4711", "REVISION": "A", "TITLE": "Old" },
      { "ORBKEY": "P9", "IDENT": "4711", "REVISION": "B", "TITLE": "Washer" },
      { "ORBKEY": "P2", "IDENT": "0815", "REVISION": "A", "TITLE": "Nut" } ] }
  },
  "steps": [ { "env": { "ORBKEY": "D5" } },
             { "command": "ORBDDWGINSERT", "env": { "PARTREF": "P3" } } ]
})"));
    const Check check = RunCheck({mapping, "--scenario", scenario});
    EXPECT_NE(check.out.find("\n[KORDANEPRODUCTTOVEXA]: 1 key: \"P9\"\n"), std::string::npos)
        << "found by part number and the trimmed revision\n"
        << check.out;
    EXPECT_NE(check.out.find("\n[KORDANEVIRTUALCOMPTOVEXA]: 1 key: \"P2\"\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\n[KORDANEPARTREFTOVEXA]: 2 keys: \"P1\", \"P3\"\n"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\n[KORDANEPARTREFTOVEXA]: DESCRIPTION is answered by a host "
                             "function: not evaluated\n"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\n[KORDANEPARTDATATOVEXA]: 1 key: \"D5\"\n"), std::string::npos)
        << check.out;
    EXPECT_EQ(WarningsOf(check),
              "warnings: 4\n"
              "line 5: [KORDANEPARTREFTOVEXA]: no record of Folder_All_Document holds the key "
              "\"P1\": a run gives every field this section maps for it what its query answers "
              "for no record, an empty text\n"
              "line 5: [KORDANEPARTREFTOVEXA]: no record of Folder_All_Document holds the key "
              "\"P3\": a run gives every field this section maps for it what its query answers "
              "for no record, an empty text\n"
              "line 7: [KORDANEPARTDATATOVEXA]: no record of Folder_All_Document holds the "
              "drawing's \"ORBKEY\" \"D5\": a run gives every field this section maps for it "
              "what its query answers for no record, an empty text\n"
              "line 8: [KORDANEPARTDATATOVEXA] TITLE=@(TITLE:t): empty for the only key\n")
        << "the drawing's own key is looked up among the documents";
}

// The mistakes administrators make, one fixture each: every one is a warning with its line,
// and ini-check exits with 1.
TEST(IniCheckMistakes, SectionsNoCommandReads) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write("map.ini",
                                                "[VexaBomToKORDNAE]\n"        // 1
                                                "IDENT=ITEM\n"                // 2
                                                "[KORDANEPartRefsToVexa]\n"   // 3
                                                "DESCR=@(TITLE:t)\n"          // 4
                                                "[KORDANEPartDatToVexa]\n"    // 5
                                                "TITLE=@(TITLE:t)\n"          // 6
                                                "[KORDANEPartDataToVexa ]\n"  // 7
                                                "TITLE=@(TITLE:t)\n"          // 8
                                                "[Pump]\n"                    // 9
                                                "SUPER=Common\n"              // 10
                                                "[Common]\n"                  // 11
                                                "DESCR=@(TITLE:t)\n"));       // 12
    const Check check = RunCheck({path});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(WarningsOf(check),
              "warnings: 5\n"
              "line 1: section [VEXABOMTOKORDNAE] is read by no command and named by no SUPER: "
              "did you mean [VEXABOMTOKORDANE]?\n"
              "line 3: section [KORDANEPARTREFSTOVEXA] is read by no command and named by no "
              "SUPER: did you mean [KORDANEPARTREFTOVEXA]?\n"
              "line 5: section [KORDANEPARTDATTOVEXA] is read by no command and named by no "
              "SUPER: did you mean [KORDANEPARTDATATOVEXA]?\n"
              "line 7: section [KORDANEPARTDATATOVEXA ] is read by no command and named by no "
              "SUPER: did you mean [KORDANEPARTDATATOVEXA]?\n"
              "line 9: section [PUMP] is read by no command and named by no SUPER\n");
    const Check named = RunCheck({path, "--section", "pump"});
    EXPECT_EQ(named.out.find("[PUMP] is read by no command"), std::string::npos)
        << "a section checked by name is read, at ORBDCREATEPARTREF2\n"
        << named.out;
}

TEST(IniCheckMistakes, SuperLoopsAndChains) {
    TempDir dir;
    const Check two = RunCheck({Utf8Path(dir.Write("two.ini",
                                                   "[KORDANEPartRefToVexa]\n"      // 1
                                                   "SUPER=Common\n"                // 2
                                                   "DESCR=@(TITLE:t)\n"            // 3
                                                   "[Common]\n"                    // 4
                                                   "SUPER=KORDANEPartRefToVexa\n"  // 5
                                                   "NOTE=@(REMARK:t)\n"))});       // 6
    EXPECT_EQ(two.code, 1);
    EXPECT_EQ(WarningsOf(two),
              "warnings: 1\n"
              "line 5: SUPER loop [COMMON] -> [KORDANEPARTREFTOVEXA] -> [COMMON]: only one "
              "level is followed, each of them gets its SUPER section's entries and that "
              "section's SUPER pair\n");
    EXPECT_NE(two.out.find("\n[KORDANEPARTREFTOVEXA]\nDESCR=@(TITLE:t)\nNOTE=@(REMARK:t)\n"
                           "SUPER=Common\n"),
              std::string::npos)
        << "the listing shows the section's own SUPER value\n"
        << two.out;

    const Check three =
        RunCheck({Utf8Path(dir.Write("three.ini", "[A]\nSUPER=B\n[B]\nSUPER=C\n[C]\nSUPER=a\n"))});
    EXPECT_EQ(WarningsOf(three),
              "warnings: 1\n"
              "line 2: SUPER loop [A] -> [B] -> [C] -> [A]: only one level is followed, each of "
              "them gets its SUPER section's entries and that section's SUPER pair\n");

    const Check chain = RunCheck({Utf8Path(dir.Write("chain.ini",
                                                     "[VexaBomToKORDANE]\n"  // 1
                                                     "SUPER=Pump\n"          // 2
                                                     "[Pump]\n"              // 3
                                                     "SUPER=Common\n"        // 4
                                                     "[Common]\n"            // 5
                                                     "DESCR=DESCRIPTION\n"))});
    EXPECT_EQ(WarningsOf(chain),
              "warnings: 1\n"
              "line 2: SUPER of [VEXABOMTOKORDANE] names [PUMP], whose own SUPER [COMMON] is "
              "not followed: only one level is read, so [VEXABOMTOKORDANE] gets none of "
              "[COMMON]'s entries\n");
}

TEST(IniCheckMistakes, Utf8FileWithoutByteOrderMark) {
    TempDir dir;
    const Check check = RunCheck({Utf8Path(dir.Write("map.ini",
                                                     "; Gr\xC3\xB6\xC3\x9F"
                                                     "e in a comment\n"
                                                     "[KORDANEFieldsInVexaBOM]\n"
                                                     "SIZE=Gr\xC3\xB6\xC3\x9F"
                                                     "e\n"))});
    EXPECT_EQ(check.code, 1);
    EXPECT_NE(check.out.find("encoding: ANSI code page\n"), std::string::npos) << check.out;
    EXPECT_EQ(WarningsOf(check),
              "warnings: 1\n"
              "line 3: read in the ANSI code page as \"SIZE=Gr\xC3\x83\xC2\xB6\xC3\x83\xC5\xB8"
              "e\", but its bytes are UTF-8 for \"SIZE=Gr\xC3\xB6\xC3\x9F"
              "e\": save the file as UTF-8 with byte-order mark\n");
    const Check ansi = RunCheck({Utf8Path(dir.Write("ansi.ini",
                                                    "[KORDANEFieldsInVexaBOM]\n"
                                                    "SIZE=Gr\xF6\xDF"
                                                    "e\n"))});
    EXPECT_EQ(WarningsOf(ansi), "warnings: 0\n") << "Windows-1252 bytes that are no UTF-8";
}

TEST(IniCheckMistakes, ColumnDefinitionsTheModuleDoesNotUnderstand) {
    TempDir dir;
    const Check check = RunCheck({Utf8Path(dir.Write("map.ini",
                                                     "[KORDANEFieldsInVexaBOM]\n"  // 1
                                                     "WEIGHT=Weight,yes,x\n"       // 2
                                                     "COUNT=Count|1|I\n"           // 3
                                                     "NOTE=Note;0;d;wide\n"        // 4
                                                     "EMPTY=,;\n"))});             // 5
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(WarningsOf(check),
              "warnings: 4\n"
              "line 2: [KORDANEFIELDSINVEXABOM] WEIGHT=Weight,yes,x: visibility \"yes\" is "
              "neither 1 (shown) nor 0 (hidden): the column is hidden\n"
              "line 2: [KORDANEFIELDSINVEXABOM] WEIGHT=Weight,yes,x: data type \"x\" is "
              "neither i (integer) nor d (decimal): the column holds text\n"
              "line 4: [KORDANEFIELDSINVEXABOM] NOTE=Note;0;d;wide: only display text, "
              "visibility and data type are read: \"wide\" is ignored\n"
              "line 5: [KORDANEFIELDSINVEXABOM] EMPTY=,;: no display text: the column is not "
              "added\n");
}

TEST(IniCheckMistakes, ExpressionsThePdmCannotParse) {
    TempDir dir;
    const std::string path = Utf8Path(dir.Write("map.ini",
                                                "[Common]\n"                       // 1
                                                "NOTE=#(where db=X (A=1 #NOTE)\n"  // 2
                                                "[KORDANEPartRefToVexa]\n"         // 3
                                                "SUPER=Common\n"                   // 4
                                                "IDENT=@(IDENT:t\n"                // 5
                                                "DESCR=@(TITLE:t)\n"               // 6
                                                "HOST=(GETDESCR\n"));              // 7
    const Check check = RunCheck({path});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(WarningsOf(check),
              "warnings: 3\n"
              "line 2: [COMMON] NOTE=#(where db=X (A=1 #NOTE), read by [KORDANEPARTREFTOVEXA] "
              "through SUPER: the PDM cannot parse the expression: expected AND or ) at "
              "character 24 of the line\n"
              "line 5: [KORDANEPARTREFTOVEXA] IDENT=@(IDENT:t: the PDM cannot parse the "
              "expression: expected ) at the end of the line\n"
              "line 7: [KORDANEPARTREFTOVEXA] HOST=(GETDESCR: the PDM cannot parse the "
              "expression: expected a result expression at character 6 of the line\n")
        << "offsets count in the line, not in the query the module builds";

    const Check scenario =
        RunCheck({path, "--scenario",
                  Utf8Path(dir.Write("s.json", R"({"pdm": {"env": {"PARTREF": "P1"}, "tables": {
             "Folder_All_Document": [{"ORBKEY": "P1", "TITLE": "Pump", "IDENT": "7"}]}}})"))});
    EXPECT_EQ(scenario.out.find("the PDM answers"), std::string::npos)
        << "no second warning with the query's offset\n"
        << scenario.out;
}

namespace {

// A pump assembly: rows with and without keys the PDM knows, and steps that run the commands.
constexpr const char* kPumpScenario = R"({
  "files": { "pump.ini": { "text": "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\n[KORDANEPartRefToVexa]\r\nDESCRIPTION=@(TITLE:t)\r\n" } },
  "drawing": {
    "boms": [ { "owner": null, "rows": [
      { "item": "1", "qty": 1, "cells": { "DESCRIPTION": "Housing", "ORBKEY": "P1.1" } },
      { "item": "2", "qty": 8, "cells": { "DESCRIPTION": "Bolt", "ORBKEY": "P9.9" } } ] } ],
    "standard": { "columns": [ { "name": "ITEM" }, { "name": "QTY" }, { "name": "DESCRIPTION" } ] }
  },
  "pdm": {
    "env": { "BOMIniFile": "pump.ini", "ORBKEY": "D7.1" },
    "hasPart": "1",
    "tables": {
      "Folder_All_Document": [ { "ORBKEY": "P1.1", "TITLE": "Pump housing" } ],
      "Folder_All_Part": [ { "ORBKEY": "V1", "IDENT": "100", "TITLE": "Seal" } ] }
  },
  "steps": [ { "type": "ORBDBOM\n" }, { "type": "ORBDUPDATEPARTREFS\n" },
             { "type": "ORBDCREATEPARTREF2 V1 Folder_All_Part Pump parts\n10,10\n" },
             { "save": true } ]
})";

}  // namespace

TEST(IniCheckMistakes, WhatTheScenarioNeedsAndTheKeysThePdmLacks) {
    TempDir dir;
    const std::string scenario = Utf8Path(dir.Write("pump.json", kPumpScenario));
    const Check own = RunCheck({"--scenario", scenario});
    EXPECT_EQ(own.code, 1) << own.err;
    EXPECT_EQ(own.out.rfind("file: pump.ini (the scenario's \"BOMIniFile\")\n", 0), 0u) << own.out;
    EXPECT_EQ(WarningsOf(own),
              "warnings: 3\n"
              "ORBDCREATEPARTREF2 (/steps/2) reads [PUMP PARTS], typed at \"SECTION: \", which "
              "is not in the file\n"
              "ORBDUPDATEPARTREFS (/steps/1) reads [KORDANEPARTDATATOVEXA], which is not in the "
              "file\n"
              "line 3: [KORDANEPARTREFTOVEXA]: no record of Folder_All_Document holds the key "
              "\"P9.9\": a run gives every field this section maps for it what its query "
              "answers for no record, an empty text\n");

    const std::string mapping = Utf8Path(dir.Write("map.ini",
                                                   "[Pump parts]\n"        // 1
                                                   "TITLE=@(TITLE:t)\n"    // 2
                                                   "COST=@(PRICE:t)\n"));  // 3
    const Check typed = RunCheck({mapping, "--scenario", scenario});
    EXPECT_EQ(WarningsOf(typed),
              "warnings: 6\n"
              "ORBDBOM (/steps/0) reads [VEXABOMTOKORDANE], which is not in the file\n"
              "ORBDUPDATEPARTREFS (/steps/1) reads [KORDANEPARTREFTOVEXA], which is not in the "
              "file\n"
              "ORBDUPDATEPARTREFS (/steps/1) reads [KORDANEPARTDATATOVEXA], which is not in the "
              "file\n"
              "line 2: [PUMP PARTS] TITLE=@(TITLE:t): the parts-list standard has no column "
              "\"TITLE\"\n"
              "line 3: [PUMP PARTS] COST=@(PRICE:t): the parts-list standard has no column "
              "\"COST\"\n"
              "line 3: [PUMP PARTS] COST=@(PRICE:t): empty for the only key\n")
        << "the section typed at ORBDCREATEPARTREF2, for the key and folder typed there";
    const Check given = RunCheck({mapping, "--scenario", scenario, "--section", "Pump parts",
                                  "--key", "V1", "--db", "Folder_All_Part"});
    EXPECT_EQ(given.code, 1);
    EXPECT_EQ(given.out, "COST=@(PRICE:t)\nTITLE=@(TITLE:t)\n\nscenario: " + scenario +
                             "\n[PUMP PARTS]: 1 key: \"V1\"\n\n"
                             "warnings: 3\n"
                             "line 2: [PUMP PARTS] TITLE=@(TITLE:t): the parts-list standard has "
                             "no column \"TITLE\"\n"
                             "line 3: [PUMP PARTS] COST=@(PRICE:t): the parts-list standard has "
                             "no column \"COST\"\n"
                             "line 3: [PUMP PARTS] COST=@(PRICE:t): empty for the only key\n")
        << "--key and --db stand for the answers of the prompts";
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{mapping, "--key", "V1"},
          {mapping, "--scenario", scenario, "--key", "V1"},
          {mapping, "--scenario", scenario, "--section", "S", "--db", "Folder_All_Part"}}) {
        EXPECT_EQ(RunCheck(wrong).code, 2) << wrong.size();
    }
}
