// Whole runs of vexa-sim: exit codes, the transcript's frame, and the drawing saved by one run
// being the drawing the next run starts from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <streambuf>

#include "app/common/command_summary.h"
#include "app/common/run_options.h"
#include "app/run/run_command.h"
#include "tests/support/full_disk.h"

namespace fs = std::filesystem;

namespace {

class Run : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vexa-sim-run-test-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& text) {
        const fs::path file = dir_ / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    int RunFile(const fs::path& scenario, std::optional<fs::path> save = std::nullopt,
                bool allowOutside = false) {
        RunOptions options;
        options.allowOutsideWorkdir = allowOutside;
        options.scenario = scenario;
        options.module = ORBD_MODULE_FILE;
        options.format = format_;
        options.saveDrawing = save;
        options.changes = changes_;
        options.changesScope = changesScope_;
        options.strict = strict_;
        options.quiet = quiet_;
        options.verbose = verbose_;
        options.drawing = drawing_;
        options.workdir = workdir_;
        out_.str("");
        err_.str("");
        return RunScenario(options, out_, err_);
    }
    // Runs the scenario saving its drawing, runs the saved drawing saving it again, expects the
    // two saved drawings to be equal and answers the first.
    nlohmann::json SavedDrawingRunAgain(const fs::path& scenario) {
        EXPECT_EQ(RunFile(scenario, dir_ / "first.json"), 0) << err_.str();
        EXPECT_EQ(RunFile(dir_ / "first.json", dir_ / "second.json"), 0) << err_.str();
        std::ifstream first(dir_ / "first.json");
        std::ifstream second(dir_ / "second.json");
        const nlohmann::json a = nlohmann::json::parse(first);
        EXPECT_EQ(a, nlohmann::json::parse(second));
        return a;
    }
    std::vector<nlohmann::json> Events() const {
        std::vector<nlohmann::json> events;
        std::istringstream lines(out_.str());
        for (std::string line; std::getline(lines, line);) {
            events.push_back(nlohmann::json::parse(line));
        }
        return events;
    }

    fs::path dir_;
    std::optional<fs::path> workdir_;
    bool changes_ = false;
    ChangesScope changesScope_ = ChangesScope::kCommand;
    bool strict_ = false;
    bool quiet_ = false;
    bool verbose_ = false;
    std::optional<fs::path> drawing_;
    TranscriptFormat format_ = TranscriptFormat::kJsonl;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(Run, BadScenariosStopBeforeAnythingRuns) {
    EXPECT_EQ(RunFile(dir_ / "missing.json"), 2);
    EXPECT_NE(err_.str().find("missing.json"), std::string::npos) << err_.str();

    EXPECT_EQ(RunFile(Write("broken.json", "{\"steps\": [")), 2);
    EXPECT_NE(err_.str().find("not JSON"), std::string::npos) << err_.str();

    EXPECT_EQ(
        RunFile(Write("schema.json", R"({"drawing": {"entities": [{"handle": 1, "type": "circle"}]},
                                               "steps": [{"type": "X\n"}]})")),
        2);
    EXPECT_NE(err_.str().find("/drawing/entities/0/type"), std::string::npos) << err_.str();
    EXPECT_TRUE(out_.str().empty()) << "no transcript for a scenario that did not run";
}

TEST_F(Run, UnknownCommandIsReportedAndTheRunGoesOn) {
    ASSERT_EQ(
        RunFile(Write("typo.json", R"({"steps": [{"type": "ORBDBOMM\n"}, {"type": "NOSUCH "}]})")),
        0)
        << err_.str();
    const std::vector<nlohmann::json> events = Events();
    ASSERT_EQ(events.size(), 3u) << out_.str();
    EXPECT_EQ(events[0]["ev"], "print");
    EXPECT_NE(events[0]["text"].get<std::string>().find("ORBDBOMM"), std::string::npos);
    EXPECT_NE(events[1]["text"].get<std::string>().find("NOSUCH"), std::string::npos);
    EXPECT_EQ(events[2], (nlohmann::json{{"ev", "end"}, {"openObjects", 0}}));
}

TEST_F(Run, SavedDrawingRunsAgainUnchanged) {
    const fs::path scenario = Write("drawing.json", R"({
      "drawing": {
        "entities": [ { "handle": 1, "type": "partref", "dataEntry": 7 },
                      { "handle": 2, "type": "blockref", "block": "GEAR" } ],
        "blocks": [ { "name": "GEAR", "xrefPath": "parts/gear.dwg", "partData": { "ORBKEY": "P9" },
                      "entities": [ { "handle": 20, "type": "partref", "dataEntry": 8 } ] } ],
        "boms": [ { "owner": null, "rows": [
          { "item": "1", "qty": 2, "dataEntry": 7, "cells": { "DESCR": "Washer" } },
          { "item": "2", "qty": 1, "dataEntry": 8, "cells": {} } ] } ],
        "standard": { "columns": [ { "name": "ITEM", "visible": true },
                                   { "name": "NOTE", "visible": false } ] }
      }
    })");
    const nlohmann::json a = SavedDrawingRunAgain(scenario);
    EXPECT_EQ(a["drawing"]["boms"][0]["rows"][0]["cells"]["DESCR"], "Washer");
    EXPECT_EQ(a["drawing"]["blocks"][0]["xrefPath"], "parts/gear.dwg");
}

// A part reference the module places shows in the saved drawing at its world position, with
// the drawing's defaults, its part data and its row; the saved drawing then runs unchanged.
TEST_F(Run, PlacedPartReferenceIsSavedAndTheSavedDrawingRunsAgain) {
    const fs::path scenario = Write("place.json", R"({
      "files": { "mapping.ini": { "text": "[KORDANEPartRefToVexa]\r\nDESCR=#DESCRIPTION\r\n" } },
      "drawing": {
        "boms": [ { "owner": null, "rows": [] } ],
        "ucs": { "origin": [100, 50, 0], "xAxis": [0, 1, 0], "yAxis": [-1, 0, 0] },
        "defaults": { "layer": "PARTREF", "color": 3, "linetype": "Continuous" }
      },
      "pdm": { "env": { "BOMIniFile": "mapping.ini", "ORBKEY": "D1" },
               "catalogue": { "VM2050": "Point: " },
               "tables": { "Folder_All_Document": [ { "ORBKEY": "P2", "DESCRIPTION": "Bearing" },
                                                    { "ORBKEY": "D1", "DESCRIPTION": "Pump" } ] } },
      "steps": [ { "type": "ORBDCREATEPARTREF\nP2\n5,6,1\n" } ]
    })");
    const nlohmann::json a = SavedDrawingRunAgain(scenario);

    const nlohmann::json& drawing = a["drawing"];
    ASSERT_EQ(drawing["entities"].size(), 1u) << drawing.dump();
    const nlohmann::json& placed = drawing["entities"][0];
    EXPECT_EQ(placed["type"], "partref");
    EXPECT_EQ(placed["position"], nlohmann::json::parse("[94, 55, 1]"))
        << "the typed point is converted from the user coordinate system";
    EXPECT_EQ(placed["layer"], "PARTREF");
    EXPECT_EQ(placed["color"], 3);
    EXPECT_EQ(placed["linetype"], "Continuous");
    const nlohmann::json& row = drawing["boms"][0]["rows"].at(0);
    EXPECT_EQ(row["dataEntry"], placed["dataEntry"]);
    EXPECT_EQ(row["cells"], nlohmann::json::parse(R"({"DESCR": "Bearing", "ORBKEY": "P2"})"));
    EXPECT_EQ(row["partRefPaths"],
              nlohmann::json::array({nlohmann::json::array({placed["handle"]})}));
    EXPECT_EQ(drawing["ucs"]["origin"], nlohmann::json::parse("[100, 50]"));
    EXPECT_EQ(drawing["defaults"]["layer"], "PARTREF");
}

// An export run: a mapping file, a parts list of one row and the PDM's answers; steps and
// PDM environment as given.
nlohmann::json Export(const nlohmann::json& env, const nlohmann::json& steps) {
    nlohmann::json scenario = nlohmann::json::parse(R"({
      "files": { "mapping.ini": { "text": "[VexaBomToKORDANE]\r\nDESCR=DESCRIPTION\r\n" } },
      "drawing": {
        "entities": [ { "handle": 1, "type": "partref", "dataEntry": 7 } ],
        "boms": [ { "owner": null, "rows": [
          { "item": "1", "qty": 3, "dataEntry": 7, "cells": { "DESCRIPTION": "Washer" } } ] } ],
        "standard": { "columns": [ { "name": "ITEM" }, { "name": "DESCRIPTION" } ] }
      },
      "pdm": { "env": { "BOMIniFile": "mapping.ini", "WSPATH": "", "ORBKEY": "A1.7" },
               "hasPart": "1" }
    })");
    if (env.is_object()) {
        scenario["pdm"]["env"].update(env);
    }
    scenario["steps"] = steps;
    return scenario;
}

TEST_F(Run, AddAndEraseAreCheckedBeforeAnythingRuns) {
    const auto step = [](const nlohmann::json& extra) {
        nlohmann::json command = {{"command", "ORBDBOMEXPORT"}};
        command.update(extra);
        return Export({}, {{{"type", "ORBDBOMEXPORT\n"}}, command}).dump();
    };
    EXPECT_EQ(RunFile(Write("dup.json", step({{"add", {{{"handle", 1}, {"type", "line"}}}}}))), 2);
    EXPECT_NE(err_.str().find("/steps/1/add/0/handle"), std::string::npos) << err_.str();
    EXPECT_TRUE(out_.str().empty()) << "the first step did not run: " << out_.str();

    EXPECT_EQ(RunFile(Write("type.json", step({{"add", {{{"handle", 5}, {"type", "circle"}}}}}))),
              2);
    EXPECT_NE(err_.str().find("/steps/1/add/0/type"), std::string::npos) << err_.str();

    EXPECT_EQ(RunFile(Write("erase.json", step({{"erase", {1, 99}}}))), 2);
    EXPECT_NE(err_.str().find("/steps/1/erase/1"), std::string::npos) << err_.str();

    const nlohmann::json twice =
        Export({}, {{{"command", "ORBDBOMEXPORT"}, {"add", {{{"handle", 5}, {"type", "line"}}}}},
                    {{"command", "ORBDBOMEXPORT"}, {"add", {{{"handle", 5}, {"type", "line"}}}}}});
    EXPECT_EQ(RunFile(Write("twice.json", twice.dump())), 2);
    EXPECT_NE(err_.str().find("/steps/1/add/0/handle"), std::string::npos) << err_.str();

    const nlohmann::json later =
        Export({}, {{{"command", "ORBDBOMEXPORT"}, {"add", {{{"handle", 5}, {"type", "line"}}}}},
                    {{"command", "ORBDBOMEXPORT"}, {"erase", {5}}}});
    EXPECT_EQ(RunFile(Write("later.json", later.dump())), 0)
        << "a handle added by an earlier step can be erased: " << err_.str();
}

TEST_F(Run, PlacesOutsideTheWorkDirectoryNeedConsent) {
    const std::string outside = (dir_ / "outside").generic_string() + "/";
    fs::create_directories(dir_ / "outside");
    const nlohmann::json atLoad = Export({{"WSPATH", outside}}, {{{"type", "ORBDBOMEXPORT\n"}}});
    EXPECT_EQ(RunFile(Write("load.json", atLoad.dump())), 2);
    EXPECT_NE(err_.str().find("/pdm/env/WSPATH"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(dir_ / "outside" / "A1KorBom.txt"));

    const nlohmann::json byStep =
        Export({}, {{{"env", {{"BOMIniFile", "../mapping.ini"}}}}, {{"type", "ORBDBOMEXPORT\n"}}});
    EXPECT_EQ(RunFile(Write("step.json", byStep.dump())), 2);
    EXPECT_NE(err_.str().find("/steps/0/env/BOMIniFile"), std::string::npos) << err_.str();

    const nlohmann::json inside = Export({{"WSPATH", "ws/../"}}, {{{"type", "ORBDBOMEXPORT\n"}}});
    EXPECT_EQ(RunFile(Write("inside.json", inside.dump())), 0) << err_.str();

    ASSERT_EQ(RunFile(Write("load.json", atLoad.dump()), std::nullopt, true), 0) << err_.str();
    EXPECT_TRUE(fs::exists(dir_ / "outside" / "A1KorBom.txt"));
    bool reported = false;
    for (const nlohmann::json& event : Events()) {
        reported = reported || (event["ev"] == "file" && event["path"] == outside + "A1KorBom.txt");
    }
    EXPECT_TRUE(reported) << "a file written outside is reported: " << out_.str();
}

TEST_F(Run, FaultsHitOnlyTheModuleAndUnfiredOnesAreReported) {
    for (const std::string& op : {std::string("getCurrentSymbolStd"), std::string("*")}) {
        const nlohmann::json scenario =
            Export({}, {{{"type", "ORBDBOMEXPORT\n"}},
                        {{"fail", {{"op", op}, {"nth", 1000}, {"status", 5}}}}});
        ASSERT_EQ(RunFile(Write("late.json", scenario.dump()), dir_ / "saved.json"), 0)
            << err_.str();
        std::ifstream saved(dir_ / "saved.json");
        const nlohmann::json drawing = nlohmann::json::parse(saved)["drawing"];
        EXPECT_EQ(drawing["standard"]["columns"].size(), 2u) << op << ": the save was not hit";
        EXPECT_EQ(drawing["boms"][0]["rows"][0]["cells"]["DESCRIPTION"], "Washer") << op;
        const std::vector<nlohmann::json> events = Events();
        ASSERT_GE(events.size(), 2u);
        nlohmann::json unfired = events[events.size() - 2];
        unfired.erase("calls");  // the module's own calls after the step, unloading included
        EXPECT_EQ(unfired, (nlohmann::json{{"ev", "fault.unfired"}, {"op", op}, {"nth", 1000}}))
            << out_.str();
        EXPECT_EQ(events.back()["ev"], "end");
    }
}

TEST_F(Run, StepsChangeThePdmBetweenCommands) {
    const nlohmann::json scenario =
        Export({{"WSPATH", "ws/"}},
               {{{"type", "ORBDBOMEXPORT\n"}},
                {{"pdm", {{"hasPart", "0"}, {"settings", {{"BOMTransferFor2DStructure", "1"}}}}}},
                {{"type", "ORBDBOMEXPORT\n"}},
                {{"structure2d", true}},
                {{"pdm", {{"settings", {{"BOMTransferFor2DStructure", "0"}}}}}},
                {{"type", "ORBDBOMEXPORT\n"}}});
    ASSERT_EQ(RunFile(Write("between.json", scenario.dump())), 0) << err_.str();
    std::vector<std::string> answers;
    for (const nlohmann::json& event : Events()) {
        if (event["ev"] == "pdm.prep") {
            answers.push_back(event["result"]);
        }
    }
    EXPECT_EQ(answers, (std::vector<std::string>{"", "1", "1", "0", "0"})) << out_.str();
}

}  // namespace

// The example's write-back, as --changes lists it; a fault armed for the module never counts
// the snapshots, and without the change events the transcript is the plain run's.
TEST_F(Run, ChangesListWhatTheRunDidJustBeforeTheEnd) {
    std::ifstream example(fs::path(ORBD_EXAMPLES_DIR) / "parts-list.json");
    nlohmann::json scenario = nlohmann::json::parse(example);
    scenario["steps"].push_back({{"fail", {{"op", "*"}, {"nth", 100000}, {"status", 5}}}});
    const fs::path file = Write("parts-list.json", scenario.dump());

    ASSERT_EQ(RunFile(file), 0) << err_.str();
    const std::string plain = out_.str();
    changes_ = true;
    changesScope_ = ChangesScope::kRun;
    ASSERT_EQ(RunFile(file), 0) << err_.str();
    std::string rest;
    std::string changes;
    std::istringstream lines(out_.str());
    for (std::string line; std::getline(lines, line);) {
        (line.starts_with("{\"ev\":\"change\"") ? changes : rest) += line + "\n";
    }
    EXPECT_EQ(rest, plain);
    const std::string where = "{\"ev\":\"change\",\"what\":";
    EXPECT_EQ(
        changes,
        where +
            "\"cell\",\"where\":\"parts list (model space)/row 2/ORBD_PARTNO\","
            "\"old\":null,\"new\":\"4711-08\",\"place\":2,\"step\":0,\"command\":\"ORBDBOM\"}\n" +
            where +
            "\"cell\",\"where\":\"parts list (model space)/row 3/ORBD_PARTNO\","
            "\"old\":null,\"new\":\"GB-200\",\"place\":3,\"step\":0,\"command\":\"ORBDBOM\"}\n" +
            where +
            "\"column\",\"where\":\"parts-list standard/ORBKEY\",\"old\":null,"
            "\"new\":{\"name\":\"ORBKEY\",\"visible\":false},\"step\":0,\"command\":\"ORBDBOM\"}"
            "\n" +
            where +
            "\"column\",\"where\":\"parts-list standard/MATERIAL\",\"old\":null,"
            "\"new\":{\"displayText\":\"Material\",\"name\":\"MATERIAL\","
            "\"visible\":true},\"step\":0,\"command\":\"ORBDBOM\"}\n" +
            where +
            "\"column\",\"where\":\"parts-list standard/WEIGHT\",\"old\":null,"
            "\"new\":{\"dataType\":2,\"displayText\":\"Weight\",\"name\":"
            "\"WEIGHT\",\"visible\":true},\"step\":0,\"command\":\"ORBDBOM\"}\n");
    const std::vector<nlohmann::json> events = Events();
    ASSERT_GE(events.size(), 7u);
    EXPECT_EQ(events[events.size() - 7]["ev"], "fault.unfired");
    EXPECT_EQ(events.back()["ev"], "end");

    format_ = TranscriptFormat::kText;
    ASSERT_EQ(RunFile(file), 0) << err_.str();
    EXPECT_NE(out_.str().find("[changes]\n"
                              "Parts list (model space)\n"
                              "  row 2 ORBD_PARTNO: (none) -> \"4711-08\"\n"
                              "  row 3 ORBD_PARTNO: (none) -> \"GB-200\"\n"
                              "Parts-list standard\n"
                              "  column ORBKEY added (hidden)\n"
                              "  column MATERIAL added \"Material\"\n"
                              "  column WEIGHT added \"Weight\"\n"
                              "[end] open objects: 0\n"),
              std::string::npos)
        << out_.str();
}

// Exit code 3 says the module did not load, and nothing else does: a file or folder that
// cannot be read, written or used is 2, named, with the system's reason.
TEST_F(Run, FilesAndFoldersThatCannotBeUsedAreExitTwoAndNamed) {
    const fs::path scenario = Write("plain.json", R"({"steps": []})");
    const auto named = [&](const fs::path& path) {
        return err_.str().find(path.string()) != std::string::npos;
    };

    // A folder as the scenario.
    fs::create_directories(dir_ / "folder.json");
    EXPECT_EQ(RunFile(dir_ / "folder.json"), 2);
    EXPECT_TRUE(named(dir_ / "folder.json")) << err_.str();
    EXPECT_NE(err_.str().find("not a regular file"), std::string::npos) << err_.str();

    // A file as the work directory.
    workdir_ = scenario;
    EXPECT_EQ(RunFile(scenario), 2);
    EXPECT_TRUE(named(scenario)) << err_.str();
    EXPECT_NE(err_.str().find("cannot be the work directory"), std::string::npos) << err_.str();
    workdir_.reset();

    // The drawing saved into a folder that does not exist.
    const fs::path nowhere = dir_ / "missing" / "saved.json";
    EXPECT_EQ(RunFile(scenario, nowhere), 2);
    EXPECT_TRUE(named(nowhere)) << err_.str();
    EXPECT_NE(err_.str().find("cannot write"), std::string::npos) << err_.str();

    // A scenario file whose folder is a file in the work directory.
    fs::create_directories(dir_ / "work");
    Write("work/taken", "");
    workdir_ = dir_ / "work";
    EXPECT_EQ(RunFile(Write("files.json", R"({"files": {"taken/mapping.ini": {"text": "x"}}})")),
              2);
    EXPECT_TRUE(named(dir_ / "work" / "taken")) << err_.str();
    workdir_.reset();

    // Only a module that does not load is 3.
    RunOptions options;
    options.scenario = scenario;
    options.module = dir_ / "no-module.vmx";
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunScenario(options, out, err), 3);
    EXPECT_NE(err.str().find("no-module.vmx"), std::string::npos) << err.str();
}

// Scenario files are read under the mapping file's rule, a regular file, but of at most 1 GiB:
// a drawing of a million rows is half of that.
TEST_F(Run, ScenarioFilesAreReadLikeMappingFiles) {
    const fs::path large = Write("large.json", "{}");
    fs::resize_file(large, (1u << 30) + 1);
    EXPECT_EQ(RunFile(large), 2);
    EXPECT_NE(err_.str().find("large.json: larger than 1024 MiB"), std::string::npos) << err_.str();

    const fs::path limit = Write("limit.json", "{}");
    fs::resize_file(limit, (64u << 20) + 1);
    EXPECT_EQ(RunFile(limit), 0) << "a file above the mapping file's 64 MiB is read: "
                                 << err_.str();
#if defined(__linux__)
    EXPECT_EQ(RunFile("/dev/zero"), 2);
    EXPECT_NE(err_.str().find("/dev/zero: not a regular file"), std::string::npos) << err_.str();
#endif
}

#if defined(__linux__)
// Writes that fail are failures: a full disk shows only when the buffers are handed on.
TEST_F(Run, WritesThatFailAreExitTwoWithTheSystemsReason) {
    const fs::path scenario = Write("plain.json", R"({"steps": []})");
    EXPECT_EQ(RunFile(scenario, fs::path("/dev/full")), 2);
    EXPECT_NE(err_.str().find("/dev/full: cannot write: No space left on device"),
              std::string::npos)
        << err_.str();

    // A file of the scenario written into the work directory.
    fs::create_directories(dir_ / "work");
    fs::create_symlink("/dev/full", dir_ / "work" / "full.ini");
    workdir_ = dir_ / "work";
    EXPECT_EQ(RunFile(Write("files.json", R"({"files": {"full.ini": {"text": "[A]"}}})")), 2);
    EXPECT_NE(err_.str().find("full.ini: cannot write: No space left on device"), std::string::npos)
        << err_.str();
}
#endif

TEST_F(Run, ATranscriptThatCannotBeWrittenIsExitTwo) {
    FullDisk disk;
    std::ostream out(&disk);
    std::ostringstream err;
    RunOptions options;
    options.scenario = Write("plain.json", R"({"steps": [{"type": "NOSUCH\n"}]})");
    options.module = ORBD_MODULE_FILE;
    EXPECT_EQ(RunScenario(options, out, err), 2);
    EXPECT_NE(err.str().find("the transcript: cannot write: No space left on device"),
              std::string::npos)
        << err.str();
}

TEST_F(Run, ArgumentsAreUtf8AndShownEscaped) {
    RunOptions options;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(ParseRunOptions({"J\xc3\xbcrgen.json", "--workdir", "J\xc3\xbcrgen", "--save-drawing",
                               "\xc3\xbc.json"},
                              "vexa-sim", false, options, out, err),
              std::nullopt)
        << err.str();
    EXPECT_EQ(options.scenario, fs::path(u8"J\u00fcrgen.json"));
    EXPECT_EQ(options.workdir, fs::path(u8"J\u00fcrgen"));
    EXPECT_EQ(options.saveDrawing, fs::path(u8"\u00fc.json"));

    EXPECT_EQ(ParseRunOptions({"--\x1b[2J\xc2\x9b"}, "vexa-sim", false, options, out, err), 2);
    EXPECT_EQ(err.str().find('\x1b'), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("--\\x1b[2J\\u009b"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("usage: vexa-sim run"), std::string::npos) << err.str();
}

// The documented usage stays what it was: an option that takes no value does not swallow the
// scenario after it, and every verb answers --help with its usage and exit 0.
TEST_F(Run, ArgumentsKeepTheDocumentedUsage) {
    const auto parse = [](std::vector<std::string> args, bool shell, RunOptions& options,
                          std::string* said = nullptr) {
        std::ostringstream out;
        std::ostringstream err;
        const std::optional<int> done = ParseRunOptions(args, "vexa-sim", shell, options, out, err);
        if (said != nullptr) {
            *said = out.str() + err.str();
        }
        return done;
    };
    RunOptions options;
    ASSERT_EQ(parse({"--changes", "s.json", "--strict", "--quiet", "--drawing", "d.json"}, false,
                    options),
              std::nullopt);
    EXPECT_EQ(options.scenario, fs::path("s.json"));
    EXPECT_TRUE(options.changes);
    EXPECT_EQ(options.changesScope, ChangesScope::kCommand);
    EXPECT_TRUE(options.strict);
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(options.drawing, fs::path("d.json"));

    RunOptions whole;
    ASSERT_EQ(parse({"--changes=run", "--format", "jsonl"}, false, whole), std::nullopt);
    EXPECT_EQ(whole.changesScope, ChangesScope::kRun);
    EXPECT_EQ(whole.format, TranscriptFormat::kJsonl);
    EXPECT_EQ(whole.scenario, BundledExample());
    EXPECT_FALSE(whole.strict);

    std::string said;
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--changes=all"},
                                                  {"--format", "xml"},
                                                  {"a.json", "b.json"},
                                                  {"--quiet", "--verbose"},
                                                  {"--workdir"}}) {
        RunOptions ignored;
        EXPECT_EQ(parse(wrong, false, ignored, &said), 2) << wrong.front();
    }
    // The shell has no transcript options.
    RunOptions shell;
    EXPECT_EQ(parse({"--strict"}, true, shell), 2);

    for (const bool isShell : {false, true}) {
        RunOptions help;
        EXPECT_EQ(parse({"--help"}, isShell, help, &said), 0);
        EXPECT_NE(said.find(RunUsage(isShell)), std::string::npos) << said;
        EXPECT_NE(said.find("--workdir"), std::string::npos) << said;
    }
}

// The work directory, the scenario's files and the files the module writes keep their UTF-8
// names on every system.
TEST_F(Run, WorkDirectoryAndFilesKeepTheirNames) {
    workdir_ = dir_ / fs::path(u8"J\u00fcrgen");
    nlohmann::json scenario =
        Export({{"BOMIniFile", "M\u00fcller/\u00fc.ini"}, {"WSPATH", "\u00fc/"}},
               {{{"type", "ORBDBOMEXPORT\n"}}});
    scenario["files"] = {{"M\u00fcller/\u00fc.ini", scenario["files"]["mapping.ini"]}};
    fs::create_directories(*workdir_ / fs::path(u8"\u00fc"));
    ASSERT_EQ(RunFile(Write("names.json", scenario.dump())), 0) << err_.str();
    EXPECT_TRUE(fs::exists(*workdir_ / fs::path(u8"M\u00fcller") / fs::path(u8"\u00fc.ini")));
    EXPECT_TRUE(fs::exists(*workdir_ / fs::path(u8"\u00fc") / "A1KorBom.txt"));
    bool reported = false;
    for (const nlohmann::json& event : Events()) {
        reported = reported || (event["ev"] == "file" && event["path"] == "\u00fc/A1KorBom.txt");
    }
    EXPECT_TRUE(reported) << out_.str();
}

// A text the scenario's catalogue lacks is shown as its key, never as a blank, and the keys
// are named once, just before the end.
TEST_F(Run, MissingCatalogueTextsAreShownAsTheirKeysAndNamedOnce) {
    const fs::path scenario = Write("bare.json", R"({
  "pdm": { "catalogue": { "VM2049": "The PDM has no part." } },
  "drawing": { "boms": [] },
  "steps": [ { "type": "ORBDBOM\n" }, { "type": "ORBDBOMEXPORT\n" }, { "type": "ORBDBOM\n" } ]
})");
    ASSERT_EQ(RunFile(scenario), 0) << err_.str();
    std::vector<std::string> alerts;
    for (const nlohmann::json& event : Events()) {
        if (event["ev"] == "alert") {
            alerts.push_back(event["text"]);
        }
    }
    EXPECT_EQ(alerts, (std::vector<std::string>{"<VM2042>", "<VM2042>", "<VM2042>"})) << out_.str();
    const std::vector<nlohmann::json> events = Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2],
              (nlohmann::json{{"ev", "catalogue.missing"}, {"keys", {"VM2042"}}}))
        << out_.str();

    format_ = TranscriptFormat::kText;
    ASSERT_EQ(RunFile(scenario), 0) << err_.str();
    EXPECT_NE(out_.str().find("[catalogue] texts the scenario's catalogue lacks, shown as <KEY>: "
                              "VM2042\n[end] open objects: 0\n"),
              std::string::npos)
        << out_.str();
}

namespace {

// A parts list of three rows, the second without an item, sent with ORBDBOM; the PDM gives the
// part number of position 3. pdm is merged into the PDM section.
nlohmann::json Transfer(const nlohmann::json& pdm = nlohmann::json::object()) {
    nlohmann::json scenario = nlohmann::json::parse(R"({
      "files": { "mapping.ini": { "text": "[VexaBomToKORDANE]\r\nDESCR=DESCRIPTION\r\nIDENT=ITEM\r\n" } },
      "drawing": {
        "boms": [ { "owner": null, "rows": [
          { "item": "1", "qty": 3, "cells": { "DESCRIPTION": "Washer" } },
          { "item": "", "qty": 1, "cells": { "DESCRIPTION": "Note" } },
          { "item": "3", "qty": 2, "cells": { "DESCRIPTION": "Bolt" } } ] } ],
        "standard": { "columns": [ { "name": "ITEM" }, { "name": "DESCRIPTION" } ] }
      },
      "pdm": { "env": { "BOMIniFile": "mapping.ini", "WSPATH": "", "ORBKEY": "D1" },
               "hasPart": "1",
               "tables": {
                 "Folder_All_Document": [ { "ORBKEY": "D1" } ],
                 "XREF_ELEMENT": [ { "PARENT_ORBKEY": "D1", "RELATIONSHIP_ID": "ORB.XREF.DOC.PART",
                                     "CHILD_ORBKEY": "A1" } ],
                 "Folder_Xref_Child_Part_General": [ { "X_PARENT_ORBKEY": "A1", "X_POSITION": "3",
                                                       "IDENT": "4711-03" } ] } },
      "steps": [ { "type": "ORBDBOM\n" } ]
    })");
    scenario["pdm"].update(pdm);
    return scenario;
}

}  // namespace

// --strict makes a run that met a failure exit 4; without it, or without failures, it is 0.
TEST_F(Run, StrictExitsFourAfterAFailure) {
    const fs::path clean = Write("clean.json", Transfer().dump());
    strict_ = true;
    EXPECT_EQ(RunFile(clean), 0) << out_.str() << err_.str();

    const fs::path refused =
        Write("refused.json", Transfer({{"refuse", {{"BOMSTART", 7}}}}).dump());
    EXPECT_EQ(RunFile(refused), 4) << out_.str();
    strict_ = false;
    EXPECT_EQ(RunFile(refused), 0);

    // The alert of a missing mapping section.
    nlohmann::json noSection = Transfer();
    noSection["files"]["mapping.ini"]["text"] = "[Other]\r\nA=B\r\n";
    strict_ = true;
    EXPECT_EQ(RunFile(Write("alert.json", noSection.dump())), 4) << out_.str();

    // A query that answers a PDM error: a column's display text calls what the PDM lacks.
    nlohmann::json errorAnswer = Transfer();
    errorAnswer["files"]["mapping.ini"]["text"] =
        "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\n[KORDANEFieldsInVexaBOM]\r\nMAT=#(call Nothing "
        "\"x\")\r\n";
    const fs::path error = Write("error.json", errorAnswer.dump());
    EXPECT_EQ(RunFile(error), 4) << out_.str();
    EXPECT_NE(out_.str().find(R"("result":"!)"), std::string::npos) << out_.str();

    // A mapping file that cannot be read, as a part-reference command prints it.
    EXPECT_EQ(RunFile(fs::path(ORBD_SCENARIOS_DIR) / "partref_create_no_mapping_file.json"), 4)
        << out_.str();
    const std::vector<nlohmann::json> printed = Events();
    EXPECT_NE(std::find_if(printed.begin(), printed.end(),
                           [](const nlohmann::json& event) {
                               return event.value("mappingFailures", 0) == 1;
                           }),
              printed.end())
        << out_.str();

    // A host failure the module prints.
    EXPECT_TRUE(PrintsHostFailure("\neInvalidInput D5.1 ORBDBOM\n"));
    EXPECT_TRUE(PrintsHostFailure("Can't create VxmPartRefEntity"));
    EXPECT_FALSE(PrintsHostFailure("\neInvalidInputs are fine\nThe part eOk\n"));
}

std::vector<nlohmann::json> OfKind(const std::vector<nlohmann::json>& events, const char* ev) {
    std::vector<nlohmann::json> found;
    for (const nlohmann::json& event : events) {
        if (event.value("ev", "") == ev) {
            found.push_back(event);
        }
    }
    return found;
}

TEST_F(Run, EachCommandEndsWithItsSummary) {
    nlohmann::json scenario = Transfer();
    scenario["steps"].push_back({{"type", "ORBDBOM\n"}});
    ASSERT_EQ(RunFile(Write("summary.json", scenario.dump())), 0) << err_.str();
    const std::vector<nlohmann::json> events = Events();
    const std::vector<nlohmann::json> summaries = OfKind(events, "summary");
    ASSERT_EQ(summaries.size(), 2u) << out_.str();
    const nlohmann::json& first = summaries[0];
    EXPECT_EQ(first["command"], "ORBDBOM");
    EXPECT_EQ(first["step"], 0);
    EXPECT_EQ(first["rowsRead"], 3);
    EXPECT_EQ(first["rowsSent"], 2);
    EXPECT_EQ(first["skippedNoItem"], 1);
    EXPECT_EQ(first["partNumbers"], 1);
    EXPECT_EQ(first["rowsWritten"], 1);
    EXPECT_EQ(first["fieldsWritten"], 1) << "ORBD_PARTNO of row 3";
    EXPECT_EQ(first["refused"], 0);
    EXPECT_EQ(summaries[1]["step"], 1);
    EXPECT_EQ(summaries[1]["fieldsWritten"], 0) << "the same part number again changes nothing";
    // The summary closes its command: it comes before the next command's line.
    for (std::size_t i = 1; i < events.size(); ++i) {
        if (events[i]["ev"] == "command") {
            EXPECT_EQ(events[i - 1]["ev"], "summary") << i;
        }
    }

    format_ = TranscriptFormat::kText;
    ASSERT_EQ(RunFile(Write("summary.json", scenario.dump())), 0) << err_.str();
    EXPECT_NE(out_.str().find("[summary] ORBDBOM: 3 rows read, 2 sent, 1 skipped (1 no item), 1 "
                              "part numbers received, 1 rows written, 0 part references written, "
                              "1 fields written, 0 PDM calls refused, 0 PDM error answers\n"),
              std::string::npos)
        << out_.str();
}

// A key the PDM does not know is named, and rows without a key are skipped, with why.
TEST_F(Run, SummaryNamesKeysThePdmDoesNotKnow) {
    const nlohmann::json scenario = nlohmann::json::parse(R"({
      "files": { "mapping.ini": { "text": "[KORDANEPartRefToVexa]\r\nDESCR=#DESCRIPTION\r\n" } },
      "drawing": { "boms": [ { "owner": null, "rows": [
          { "item": "1", "qty": 1, "cells": { "ORBKEY": "P1" } },
          { "item": "2", "qty": 1, "cells": { "ORBKEY": "NOSUCH" } },
          { "item": "3", "qty": 1, "cells": { "DESCR": "no key" } } ] } ] },
      "pdm": { "env": { "BOMIniFile": "mapping.ini" },
               "tables": { "Folder_All_Document": [ { "ORBKEY": "P1", "DESCRIPTION": "Shaft" } ] } },
      "steps": [ { "type": "ORBDUPDATEPARTREFS\n" } ]
    })");
    ASSERT_EQ(RunFile(Write("keys.json", scenario.dump())), 0) << err_.str();
    const std::vector<nlohmann::json> summaries = OfKind(Events(), "summary");
    ASSERT_EQ(summaries.size(), 1u) << out_.str();
    EXPECT_EQ(summaries[0]["unknownKeys"], nlohmann::json::array({"NOSUCH"})) << out_.str();
    EXPECT_EQ(summaries[0]["skippedNoKey"], 1) << out_.str();
    EXPECT_EQ(summaries[0]["rowsRead"], 3) << out_.str();
}

TEST_F(Run, QuietLeavesOutThePdmProtocolAndVerboseAddsTheMarkers) {
    const fs::path scenario = Write("quiet.json", Transfer().dump());
    quiet_ = true;
    ASSERT_EQ(RunFile(scenario), 0) << err_.str();
    for (const nlohmann::json& event : Events()) {
        const std::string ev = event["ev"];
        EXPECT_TRUE(ev == "command" || ev == "summary" || ev == "end") << event.dump();
    }
    format_ = TranscriptFormat::kText;
    ASSERT_EQ(RunFile(scenario), 0) << err_.str();
    EXPECT_EQ(out_.str().find("PDM BOMSTART"), std::string::npos) << out_.str();
    EXPECT_EQ(out_.str().find("PDM prep"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("Command: ORBDBOM"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("[summary] ORBDBOM"), std::string::npos) << out_.str();

    // The reactor's bring-to-front is an internal marker, shown only with --verbose.
    quiet_ = false;
    const fs::path front = fs::path(ORBD_SCENARIOS_DIR) / "partref_create_no_mapping_file.json";
    ASSERT_EQ(RunFile(front), 0) << err_.str();
    const std::string normal = out_.str();
    verbose_ = true;
    ASSERT_EQ(RunFile(front), 0) << err_.str();
    EXPECT_EQ(normal.find("[foreground]"), std::string::npos) << normal;
    EXPECT_NE(out_.str().find("[foreground]"), std::string::npos) << out_.str();
}

// Each change names the step and the command that made it; --changes=run lists the whole
// run's, each with the step that last changed its place.
TEST_F(Run, ChangesCarryTheirCause) {
    nlohmann::json scenario = Transfer();
    scenario["steps"] = nlohmann::json::parse(R"([
      { "type": "ORBDBOM\n" },
      { "env": { "ORBKEY": "D2" } },
      { "command": "DRAWLINE", "add": [ { "handle": 50, "type": "line" } ] } ])");
    const fs::path file = Write("cause.json", scenario.dump());
    changes_ = true;
    ASSERT_EQ(RunFile(file), 0) << err_.str();
    std::vector<nlohmann::json> changes = OfKind(Events(), "change");
    ASSERT_EQ(changes.size(), 3u) << out_.str();
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(changes[i]["step"], 0) << changes[i].dump();
        EXPECT_EQ(changes[i]["command"], "ORBDBOM") << changes[i].dump();
    }
    EXPECT_EQ(changes[2]["step"], 2);
    EXPECT_EQ(changes[2]["command"], "DRAWLINE");
    EXPECT_EQ(changes[2]["where"], "drawing/line 50");

    format_ = TranscriptFormat::kText;
    ASSERT_EQ(RunFile(file), 0) << err_.str();
    EXPECT_NE(out_.str().find("[changes]\n"
                              "ORBDBOM (step 0)\n"
                              "  Parts list (model space)\n"
                              "    row 3 ORBD_PARTNO: (none) -> \"4711-03\"\n"
                              "  Parts-list standard\n"
                              "    column ORBKEY added (hidden)\n"
                              "DRAWLINE (step 2)\n"
                              "  Drawing\n"
                              "    line 50 added at (0, 0)\n"
                              "[end]"),
              std::string::npos)
        << out_.str();

    format_ = TranscriptFormat::kJsonl;
    changesScope_ = ChangesScope::kRun;
    ASSERT_EQ(RunFile(file), 0) << err_.str();
    const std::vector<nlohmann::json> whole = OfKind(Events(), "change");
    ASSERT_EQ(whole.size(), 3u) << out_.str();
    // The same changes, each with the step that made it.
    std::map<std::string, nlohmann::json> causes;
    for (const nlohmann::json& change : changes) {
        causes[change["where"]] = change["step"];
    }
    for (const nlohmann::json& change : whole) {
        EXPECT_EQ(change["step"], causes.at(change["where"])) << change.dump();
    }
}

// --drawing runs the scenario's files, PDM and steps on a saved drawing.
TEST_F(Run, TheDrawingOfASavedFileRunsWithTheScenario) {
    nlohmann::json first = Transfer();
    first["steps"] = nlohmann::json::array();
    first["drawing"]["boms"][0]["rows"][0]["cells"]["DESCRIPTION"] = "Washer, saved";
    ASSERT_EQ(RunFile(Write("first.json", first.dump()), dir_ / "saved.json"), 0) << err_.str();

    drawing_ = dir_ / "saved.json";
    ASSERT_EQ(RunFile(Write("transfer.json", Transfer().dump())), 0) << err_.str();
    EXPECT_NE(out_.str().find(R"("arg":"DESCR \"Washer, saved\"")"), std::string::npos)
        << out_.str();
    EXPECT_EQ(out_.str().find(R"("arg":"DESCR \"Washer\"")"), std::string::npos) << out_.str();

    // A step that does not fit the saved drawing is the scenario's fault, a drawing that breaks
    // the schema the saved file's.
    nlohmann::json erase = Transfer();
    erase["steps"] = nlohmann::json::parse(R"([{"command": "ERASE", "erase": [99]}])");
    EXPECT_EQ(RunFile(Write("erase.json", erase.dump())), 2);
    EXPECT_NE(err_.str().find("erase.json: at /steps/0/erase/0"), std::string::npos) << err_.str();
    Write("broken.json", R"({"drawing": {"entities": [{"handle": 1, "type": "circle"}]}})");
    drawing_ = dir_ / "broken.json";
    EXPECT_EQ(RunFile(Write("transfer.json", Transfer().dump())), 2);
    EXPECT_NE(err_.str().find("broken.json: at /drawing/entities/0/type"), std::string::npos)
        << err_.str();

    // A saved drawing that cannot be read is named as such.
    drawing_ = dir_ / "missing.json";
    EXPECT_EQ(RunFile(Write("transfer.json", Transfer().dump())), 2);
    EXPECT_NE(err_.str().find("missing.json"), std::string::npos) << err_.str();
    EXPECT_TRUE(out_.str().empty()) << out_.str();
}

// The text names files by a path the user can open, and tells that a fresh work directory
// goes away.
TEST_F(Run, TextNamesFilesByTheirFullPath) {
    format_ = TranscriptFormat::kText;
    const fs::path scenario =
        Write("export.json", Export({}, {{{"type", "ORBDBOMEXPORT\n"}}}).dump());
    ASSERT_EQ(RunFile(scenario), 0) << err_.str();
    const std::string text = out_.str();
    const std::size_t file = text.find("[file] ");
    ASSERT_NE(file, std::string::npos) << text;
    const std::string path = text.substr(file + 7, text.find(" (", file) - file - 7);
    EXPECT_TRUE(fs::path(path).is_absolute()) << path;
    EXPECT_EQ(fs::path(path).filename(), "A1KorBom.txt") << path;
    EXPECT_NE(text.find("[workdir] removed at the end, with its 2 files: "), std::string::npos)
        << text;

    workdir_ = dir_ / "kept";
    ASSERT_EQ(RunFile(scenario), 0) << err_.str();
    EXPECT_NE(out_.str().find("[file] " + (dir_ / "kept" / "A1KorBom.txt").string()),
              std::string::npos)
        << out_.str();
    EXPECT_EQ(out_.str().find("[workdir]"), std::string::npos) << out_.str();
}
