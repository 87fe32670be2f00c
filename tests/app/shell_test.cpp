// vexa-sim shell driven through an input stream: its own commands, and the questions a
// command asks answered from the same stream.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/shell/shell.h"

namespace fs = std::filesystem;

namespace {

// A parts list with a hidden column and texts of different widths, a part reference with
// data (1), one without (20, nested), a line (3); the PDM's environment and items.
constexpr const char* kScenario = R"({
  "files": {"mapping.ini": {"text": "[KORDANEVirtualCompToVEXA]\r\nDESCR=#DESCRIPTION\r\nORBD_PARTNO=#IDENT\r\n[KORDANEPartRefToVexa]\r\nDESCR=#DESCRIPTION\r\n"}},
  "drawing": {
    "entities": [
      {"handle": 1, "type": "partref", "dataEntry": 7, "position": [10, 10]},
      {"handle": 2, "type": "blockref", "block": "SUB"},
      {"handle": 3, "type": "line"}
    ],
    "blocks": [{"name": "SUB", "entities": [{"handle": 20, "type": "partref"}]}],
    "boms": [{"owner": null, "current": true, "rows": [
      {"item": "1", "qty": 12, "dataEntry": 7,
       "cells": {"DESCR": "Welle \u00f8 20", "ORBD_PARTNO": "4711", "NOTE": "hidden"}},
      {"item": "10", "qty": 1, "cells": {"DESCR": "Pin\u001b[31m", "ORBD_PARTNO": "5"}}
    ]}],
    "standard": {"columns": [
      {"name": "ITEM", "visible": true}, {"name": "QTY", "visible": true},
      {"name": "DESCR", "visible": true}, {"name": "NOTE", "visible": false},
      {"name": "ORBD_PARTNO", "visible": true}
    ]}
  },
  "pdm": {
    "env": {"BOMIniFile": "mapping.ini", "ORBKEY": "D1.1"},
    "catalogue": {
      "VM2050": "Position of the part reference: ",
      "VM2058": "The entity has no part data.",
      "VM2059": "Insert a part reference\nfor the inserted drawing?",
      "VM2077": "Part references",
      "VM2078": "Delete the part references of the inserted drawing",
      "VM2079": "Insert",
      "VM2080": "Do not insert",
      "zorn606": "Choose a part"
    },
    "tables": {"Folder_All_Part": [
      {"ORBKEY": "P7", "IDENT": "5000", "DESCRIPTION": "Screw M6"}
    ]}
  }
})";

class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vexa-sim-shell-test-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "scenario.json", std::ios::binary) << kScenario;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the shell over the typed text; answers its output.
    std::string Type(const std::string& typed, int expectedExit = 0) {
        RunOptions options;
        options.scenario = dir_ / "scenario.json";
        options.module = ORBD_MODULE_FILE;
        options.workdir = dir_ / "work";
        std::istringstream in(typed);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunShell(options, in, out, err), expectedExit) << err.str() << out.str();
        return out.str();
    }

    fs::path dir_;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> LinesAfter(const std::string& text, const std::string& heading,
                                    std::size_t count) {
    std::vector<std::string> lines;
    std::istringstream in(text.substr(text.find(heading)));
    std::string line;
    std::getline(in, line);
    while (lines.size() < count && std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(Shell, HelpListsTheModulesCommandsAndTheShells) {
    const std::string out = Type("help\n");
    for (const char* command : {"ORBDBOM", "ORBDUPDATEPARTREF", "ORBDCREATEVIRTUALCOMP", ".bom",
                                ".partdata HANDLE", ".env", ".changes", ".save FILE", ".help"}) {
        EXPECT_TRUE(Has(out, command)) << command << " missing in\n" << out;
    }
    std::string dotHelp = Type(".help\n");
    dotHelp.replace(dotHelp.find("Command: .help"), 14, "Command: help");
    EXPECT_EQ(dotHelp, out) << "\".help\" is \"help\"";
    EXPECT_FALSE(Has(out, "Unknown command")) << "help must not reach the host\n" << out;
}

TEST_F(Shell, BomIsAnAlignedTableOfTheVisibleColumns) {
    const std::string out = Type(".bom\n");
    const std::vector<std::string> lines = LinesAfter(out, "Parts list of the drawing", 4);
    ASSERT_EQ(lines.size(), 4u) << out;
    EXPECT_EQ(lines[0], "item  qty  DESCR        ORBD_PARTNO");
    EXPECT_EQ(lines[1], "----  ---  -----------  -----------");
    EXPECT_EQ(lines[2], "1      12  Welle \u00f8 20   4711") << "aligned by characters, not bytes";
    EXPECT_EQ(lines[3], "10      1  Pin\\x1b[31m  5") << "control characters escaped";
    EXPECT_FALSE(Has(out, "hidden")) << "a hidden column is not shown\n" << out;
    EXPECT_TRUE(Has(out, "(current), 2 rows:")) << out;
}

TEST_F(Shell, PartDataByHandle) {
    const std::string out =
        Type(".partdata 1\n.partdata 3\n.partdata 20\n.partdata 99\n.partdata x\n");
    const std::vector<std::string> known = LinesAfter(out, "Part data of entity 1:", 4);
    ASSERT_EQ(known.size(), 4u) << out;
    EXPECT_EQ(known[2], "DESCR        Welle \u00f8 20") << out;
    EXPECT_EQ(known[3], "NOTE         hidden") << out;
    EXPECT_TRUE(Has(out, "Entity 3 has no part data.")) << "a line has none\n" << out;
    EXPECT_TRUE(Has(out, "Entity 20 has no part data.")) << "no data entry\n" << out;
    EXPECT_TRUE(Has(out, "No entity of the drawing has the handle 99.")) << out;
    EXPECT_TRUE(Has(out, "usage: .partdata HANDLE")) << out;
}

TEST_F(Shell, EnvUnknownDotCommandsAndSave) {
    const std::string saved = (dir_ / "saved.json").string();
    const std::string out = Type(".env\n.nope\n.save " + saved + "\n");
    const std::vector<std::string> env = LinesAfter(out, "PDM environment", 4);
    ASSERT_EQ(env.size(), 4u) << out;
    EXPECT_EQ(env[2], "BOMIniFile  mapping.ini");
    EXPECT_EQ(env[3], "ORBKEY      D1.1");
    EXPECT_TRUE(Has(out,
                    "Unknown shell command \".nope\". The shell's commands: .bom .partdata "
                    ".env .changes .save .help"))
        << out;
    EXPECT_FALSE(Has(out, "Unknown command \".NOPE\"")) << "dot-commands never reach the host";
    std::ifstream file(saved);
    const nlohmann::json drawing = nlohmann::json::parse(file, nullptr, false);
    ASSERT_FALSE(drawing.is_discarded()) << out;
    EXPECT_EQ(drawing["drawing"]["boms"][0]["rows"].size(), 2u);
}

TEST_F(Shell, ASaveThatFailsSaysWhereAndWhy) {
    const fs::path nowhere = dir_ / "missing" / "saved.json";
    std::string out = Type(".save " + nowhere.string() + "\n");
    EXPECT_TRUE(Has(out, nowhere.string() + ": cannot write: ")) << out;
    EXPECT_FALSE(Has(out, "Saved the drawing")) << out;
#if defined(__linux__)
    out = Type(".save /dev/full\n");
    EXPECT_TRUE(Has(out, "/dev/full: cannot write: No space left on device")) << out;
    EXPECT_FALSE(Has(out, "Saved the drawing")) << out;
#endif
}

TEST_F(Shell, AScenarioThatIsNoRegularFileIsNeverRead) {
    RunOptions options;
    options.scenario = dir_;
    options.module = ORBD_MODULE_FILE;
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunShell(options, in, out, err), 2);
    EXPECT_TRUE(Has(err.str(), dir_.string() + ": not a regular file")) << err.str();
#if defined(__linux__)
    options.scenario = "/dev/zero";
    EXPECT_EQ(RunShell(options, in, out, err), 2);
    EXPECT_TRUE(Has(err.str(), "/dev/zero: not a regular file")) << err.str();
#endif
}

TEST_F(Shell, QuestionsAreAnsweredFromTheInput) {
    // The item selection, then the position prompt, each from the next line.
    std::string out = Type("ORBDCREATEVIRTUALCOMP\nP7\n15,10\n.bom\n");
    EXPECT_TRUE(Has(out, "[Choose a part]")) << out;
    // What the person typed is on the screen once, not again from the transcript.
    EXPECT_TRUE(Has(out, "Command: ORBDCREATEVIRTUALCOMP\n")) << out;
    EXPECT_FALSE(Has(out, "(typed)")) << out;
    EXPECT_EQ(out.find("Position of the part reference: 15,10\n"),
              out.rfind("Position of the part reference: 15,10\n"))
        << out;
    EXPECT_TRUE(Has(out, "-> \"P7\"")) << "the typed key is the selection\n" << out;
    EXPECT_TRUE(Has(out, "(current), 3 rows:\n")) << out;
    EXPECT_TRUE(Has(out, "\n11      1  Screw M6     5000\n")) << out;
    out = Type(".changes\nORBDCREATEVIRTUALCOMP\nP7\n15,10\n.changes\n");
    const std::size_t before = out.find("Command: .changes\nno changes\n");
    const std::size_t after =
        out.find("Command: .changes\nDrawing\n  part reference 21 added at (15, 10)\n");
    EXPECT_NE(before, std::string::npos) << "nothing changed at the start\n" << out;
    EXPECT_NE(after, std::string::npos) << "the new part reference\n" << out;
    EXPECT_TRUE(Has(out, "  row 11 added: item \"11\", qty 1, state 1, DESCR \"Screw M6\"")) << out;
    EXPECT_FALSE(Has(out, "dataEntry:")) << "row 10 has no data entry of the scenario's, and "
                                            "keeps the one it was given at the start\n"
                                         << out;
    EXPECT_LT(before, after) << out;

    // A message box with a two-line text; an answer that is none asks again.
    out = Type("ORBDUPDATEPARTREF\nD5.1\nnothing\nmaybe\nn\n");
    EXPECT_TRUE(Has(out, "Insert a part reference\nfor the inserted drawing?\n[Yes/No] ")) << out;
    EXPECT_TRUE(Has(out, "answer: no")) << out;

    // The part-reference dialog: the box ticked, then Cancel.
    out = Type("ORBDUPDATEPARTREF\nD5.1\nentlast\nyes\ncancel\n");
    EXPECT_TRUE(Has(out, "[Part references]\nInsert a part reference")) << out;
    EXPECT_TRUE(Has(out, "[ ] Delete the part references of the inserted drawing")) << out;
    EXPECT_TRUE(Has(out, "check: true")) << out;
    EXPECT_TRUE(Has(out, "result: 2")) << out;
}

TEST_F(Shell, TheScenariosAnswersComeFirst) {
    nlohmann::json scenario = nlohmann::json::parse(kScenario);
    scenario["ui"] = {{{"msgbox", "yes"}}};
    scenario["pdm"]["selectItem"] = {"P7"};
    std::ofstream(dir_ / "scenario.json", std::ios::binary) << scenario.dump();

    const std::string out =
        Type("ORBDCREATEVIRTUALCOMP\n15,10\nORBDUPDATEPARTREF\nD5.1\nnothing\n\nn\n");
    EXPECT_FALSE(Has(out, "[Choose a part]")) << out;
    EXPECT_TRUE(Has(out, "-> \"P7\"")) << out;
    EXPECT_FALSE(Has(out, "[Yes/No]")) << "the scenario's answer is used\n" << out;
    EXPECT_TRUE(Has(out, "answer: yes")) << out;
}

TEST_F(Shell, EndOfInputCancelsTheQuestionItMeets) {
    std::string out = Type("ORBDCREATEVIRTUALCOMP\n");
    EXPECT_TRUE(Has(out, "-> \"\"")) << "the selection is cancelled\n" << out;
    EXPECT_TRUE(Has(out, "[end] open objects: 0")) << out;

    out = Type("ORBDUPDATEPARTREF\nD5.1\nnothing\n");
    EXPECT_TRUE(Has(out, "answer: no")) << "the box gets its default\n" << out;

    out = Type("ORBDUPDATEPARTREF\nD5.1\nentlast\ny\n");
    EXPECT_TRUE(Has(out, "result: 2")) << "the dialog is cancelled\n" << out;
    EXPECT_TRUE(Has(out, "check: false")) << "the box untouched\n" << out;

    out = Type("ORBDUPDATEPARTREF\n");
    EXPECT_TRUE(Has(out, "ORBKEY: *Cancel*")) << out;
    EXPECT_TRUE(Has(out, "[end] open objects: 0")) << out;
}

}  // namespace

namespace {

// The summary of a command as the handbook gives it: the fenced block that starts with it.
std::string HandbookSummary(const std::string& handbook, const std::string& command) {
    const std::string opening = "```\n" + command + ": ";
    const std::size_t at = handbook.find(opening);
    if (at == std::string::npos) {
        return "(no summary of " + command + " in docs/commands.md)";
    }
    const std::size_t start = at + 4;
    return handbook.substr(start, handbook.find("```", start) - start);
}

}  // namespace

TEST_F(Shell, HelpCommandPrintsTheHandbooksSummary) {
    std::ifstream docs(fs::path(ORBD_DOCS_DIR) / "commands.md", std::ios::binary);
    const std::string handbook((std::istreambuf_iterator<char>(docs)),
                               std::istreambuf_iterator<char>());
    const std::string list = Type("help\n");
    for (const std::string command :
         {"ORBDBOM", "ORBDBOMEXPORT", "ORBDCREATEPARTREF", "ORBDCREATEPARTREF2",
          "ORBDUPDATEPARTREF", "ORBDUPDATEPARTREFS", "ORBDCHANGEPARTREFKEY", "ORBDSYNCPARTDATA",
          "ORBDCREATEVIRTUALCOMP"}) {
        const std::string summary = HandbookSummary(handbook, command);
        EXPECT_TRUE(Has(Type("help " + command + "\n"), summary))
            << command << ": the shell's summary is not the handbook's\n"
            << summary;
        const std::string firstLine = summary.substr(0, summary.find('\n'));
        const std::string does = firstLine.substr(firstLine.find(": ") + 2);
        EXPECT_TRUE(Has(list, command + "  ") && Has(list, does))
            << command << ": \"help\" lacks its line \"" << does << "\"\n"
            << list;
        if (command == "ORBDCREATEPARTREF2") {
            EXPECT_TRUE(Has(summary, "\"ORBKEY: \", \"DBNAME: \", \"SECTION: \""))
                << "the prompts, in order\n"
                << summary;
        }
    }
    EXPECT_TRUE(Has(Type("help orbdsyncpartdata\n"), HandbookSummary(handbook, "ORBDSYNCPARTDATA")))
        << "the host's command line ignores letter case";
    const std::string unknown = Type("help ORBDNOTHING\n");
    EXPECT_TRUE(Has(unknown, "\"ORBDNOTHING\" is none of the module's commands")) << unknown;
    EXPECT_FALSE(Has(unknown, "Unknown command")) << "help must not reach the host\n" << unknown;
}

namespace {

// The shell's items for real work, through a piped session: a line holding an Escape is the
// host's Cancel, as Ctrl-C and Esc are at a terminal (shell_terminal_test.cpp).
TEST_F(Shell, CancelEndsTheQuestionNotTheShell) {
    constexpr const char* kEsc = "\x1b\n";
    // At the command line, then at a prompt: the command is cancelled, the shell goes on.
    std::string out = Type(std::string(kEsc) + "ORBDUPDATEPARTREF\n" + kEsc + ".env\n");
    EXPECT_TRUE(Has(out, "Command: \\x1b\n*Cancel*\nCommand: ORBDUPDATEPARTREF\n")) << out;
    EXPECT_TRUE(Has(out, "ORBKEY: *Cancel*")) << out;
    EXPECT_TRUE(Has(out, "PDM environment of the drawing:")) << "the shell went on\n" << out;
    EXPECT_TRUE(Has(out, "[end] open objects: 0")) << out;

    // A yes/no box keeps its default; the dialog is Cancel with its box untouched.
    out = Type(std::string("ORBDUPDATEPARTREF\nD5.1\nnothing\n") + kEsc + ".bom\n");
    EXPECT_TRUE(Has(out, "answer: no")) << out;
    EXPECT_TRUE(Has(out, "(current), 2 rows:")) << out;
    out = Type(std::string("ORBDUPDATEPARTREF\nD5.1\nentlast\ny\n") + kEsc);
    EXPECT_TRUE(Has(out, "check: false")) << out;
    EXPECT_TRUE(Has(out, "result: 2")) << out;

    // The item selection: cancelled by an Escape and by an empty line alike.
    for (const std::string& cancel : {std::string(kEsc), std::string("\n")}) {
        out = Type("ORBDCREATEVIRTUALCOMP\n" + cancel + ".bom\n");
        EXPECT_TRUE(Has(out, "-> \"\"")) << out;
        EXPECT_TRUE(Has(out, "(current), 2 rows:")) << "nothing was added\n" << out;
    }
}

TEST_F(Shell, ARejectedAnswerSaysWhatIsAcceptedAndLabelsAreAnswers) {
    std::string out = Type("ORBDUPDATEPARTREF\nD5.1\nentlast\nmaybe\nyes\nperhaps\nInsert\n");
    EXPECT_TRUE(Has(out,
                    "\"maybe\" is no answer here: type Yes or No (the start of a word will "
                    "do); Ctrl-C cancels.\n"))
        << out;
    EXPECT_TRUE(Has(out, "[OK (Insert) / Cancel (Do not insert)] ")) << out;
    EXPECT_TRUE(Has(out,
                    "\"perhaps\" is no answer here: type OK (Insert) or Cancel (Do not "
                    "insert)"))
        << out;
    EXPECT_TRUE(Has(out, "check: true")) << out;
    EXPECT_TRUE(Has(out, "result: 1")) << "\"Insert\" is the OK button's label\n" << out;

    out = Type("ORBDUPDATEPARTREF\nD5.1\nentlast\nn\ndo not INSERT\n");
    EXPECT_TRUE(Has(out, "result: 2")) << "the Cancel button's label, in any case\n" << out;
    EXPECT_FALSE(Has(out, "is no answer here")) << out;
}

TEST_F(Shell, TheItemSelectionListsThePdmsItemsAndRefusesOthers) {
    nlohmann::json scenario = nlohmann::json::parse(kScenario);
    scenario["pdm"]["tables"]["Folder_All_Part"].push_back(
        {{"ORBKEY", "P8"}, {"DESCRIPTION", "Washer"}});
    scenario["pdm"]["tables"]["Folder_All_Part"].push_back({{"DESCRIPTION", "no key"}});
    std::ofstream(dir_ / "scenario.json", std::ios::binary) << scenario.dump();

    const std::string out = Type("ORBDCREATEVIRTUALCOMP\nP9\np8\nP8\n15,10\n");
    const std::vector<std::string> list = LinesAfter(out, "[Choose a part]", 4);
    ASSERT_EQ(list.size(), 4u) << out;
    EXPECT_EQ(list[0], "ORBKEY  DESCRIPTION");
    EXPECT_EQ(list[2], "P7      Screw M6");
    EXPECT_EQ(list[3], "P8      Washer");
    EXPECT_FALSE(Has(out, "no key")) << "a record without a key cannot be chosen\n" << out;
    for (const char* refused : {"\"P9\"", "\"p8\""}) {
        EXPECT_TRUE(Has(out, std::string("The PDM has no item ") + refused +
                                 ": type an ORBKEY of the list, an empty line or Ctrl-C "
                                 "cancels.\n"))
            << refused << "\n"
            << out;
    }
    EXPECT_TRUE(Has(out, "-> \"P8\"")) << out;
    EXPECT_FALSE(Has(out, "-> \"P9\"")) << out;
}

TEST_F(Shell, BomAllShowsHiddenColumnsAndPartReferenceCounts) {
    const std::string out = Type(".BOM --ALL\n.bom --wide\n");
    const std::vector<std::string> lines = LinesAfter(out, "Parts list of the drawing", 4);
    ASSERT_EQ(lines.size(), 4u) << out;
    EXPECT_EQ(lines[0], "item  qty  refs  DESCR        NOTE (hidden)  ORBD_PARTNO");
    EXPECT_EQ(lines[2], "1      12     1  Welle \u00f8 20   hidden         4711")
        << "part reference 1 shares the row's data entry\n"
        << out;
    EXPECT_EQ(lines[3], "10      1     0  Pin\\x1b[31m                 5") << out;
    EXPECT_TRUE(Has(out, "usage: .bom [--all]")) << out;
}

TEST_F(Shell, PartDataOfTheDrawingAndDotCommandsInAnyCase) {
    std::string out = Type(".partdata drawing\n");
    EXPECT_TRUE(Has(out, "The drawing has no part data of its own.")) << out;

    nlohmann::json scenario = nlohmann::json::parse(kScenario);
    scenario["drawing"]["partData"] = {{"ORBKEY", "D1.1"}, {"TITLE", "Frame"}};
    std::ofstream(dir_ / "scenario.json", std::ios::binary) << scenario.dump();
    out = Type(".PartData Drawing\n.ENV\n.Help\n");
    const std::vector<std::string> data = LinesAfter(out, "Part data of the drawing:", 4);
    ASSERT_EQ(data.size(), 4u) << out;
    EXPECT_EQ(data[2], "ORBKEY  D1.1");
    EXPECT_EQ(data[3], "TITLE   Frame");
    EXPECT_TRUE(Has(out, "PDM environment of the drawing:")) << out;
    EXPECT_TRUE(Has(out, ".partdata HANDLE | drawing")) << out;
    EXPECT_FALSE(Has(out, "Unknown shell command")) << out;
}

TEST_F(Shell, SaveTakesARelativeNameFromTheStartFolder) {
    const fs::path started = fs::current_path();
    fs::current_path(dir_);
    const std::string out = Type(".save saved/../rel.json\n");
    fs::current_path(started);
    const fs::path file = dir_ / "rel.json";
    EXPECT_TRUE(fs::is_regular_file(file)) << out;
    EXPECT_TRUE(Has(out, "Saved the drawing to " + file.string() + ".\n")) << out;
    EXPECT_FALSE(fs::exists(dir_ / "work" / "rel.json")) << "not in the work directory";
}

TEST_F(Shell, TheBannerSaysWhatIsNotRunAndWhereTheWorkIs) {
    std::string out = Type("");
    EXPECT_TRUE(Has(out, "Work directory: " + (dir_ / "work").string() + "\n")) << out;
    EXPECT_FALSE(Has(out, "not run")) << "the scenario has no steps\n" << out;
    EXPECT_TRUE(Has(out, "Ctrl-D at \"Command:\" ends the shell")) << out;

    nlohmann::json scenario = nlohmann::json::parse(kScenario);
    scenario["steps"] = {{{"type", "ORBDBOM\n"}}, {{"type", "ORBDSYNCPARTDATA\n"}}};
    std::ofstream(dir_ / "scenario.json", std::ios::binary) << scenario.dump();
    out = Type("");
    EXPECT_TRUE(Has(out, "The scenario's 2 steps are not run")) << out;
    EXPECT_FALSE(Has(out, "BOMSTART")) << "nor are they run\n" << out;

    RunOptions options;
    options.scenario = dir_ / "scenario.json";
    options.module = ORBD_MODULE_FILE;
    std::istringstream in;
    std::ostringstream shown;
    std::ostringstream err;
    ASSERT_EQ(RunShell(options, in, shown, err), 0) << err.str();
    EXPECT_TRUE(Has(shown.str(), " (removed when the shell ends)\n")) << shown.str();
}

}  // namespace
