// Reading scenario files: every violation names its place, and nothing of a bad file runs.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "app/common/scenario.h"
#include "app/common/scenario_text.h"
#include "sim/scenario/scenario_error.h"

namespace {

using nlohmann::json;

std::string ErrorPath(const json& document) {
    try {
        ParseScenario(document);
    } catch (const sim::ScenarioError& e) {
        return e.path();
    }
    return "(accepted)";
}

TEST(Scenario, ViolationsNameTheirPlace) {
    EXPECT_EQ(ErrorPath(json::array()), "");
    EXPECT_EQ(ErrorPath({{"stpes", json::array()}}), "/stpes");
    EXPECT_EQ(ErrorPath({{"steps", {{{"type", 3}}}}}), "/steps/0/type");
    EXPECT_EQ(ErrorPath({{"steps", {{{"type", "X\n"}}, {{"dance", true}}}}}), "/steps/1");
    EXPECT_EQ(ErrorPath({{"steps", {{{"fail", {{"op", "readRow"}, {"nth", 0}, {"status", 5}}}}}}}),
              "/steps/0/fail/nth");
    EXPECT_EQ(ErrorPath({{"steps", {{{"command", "ORBDDWGINSERT"}, {"erase", {"a"}}}}}}),
              "/steps/0/erase/0");
    EXPECT_EQ(ErrorPath({{"files", {{"m.ini", {{"text", "x"}, {"encoding", "latin9"}}}}}}),
              "/files/m.ini/encoding");
    EXPECT_EQ(ErrorPath({{"files", {{"../escape.ini", {{"text", "x"}}}}}}),
              "/files/..~1escape.ini");
    EXPECT_EQ(ErrorPath({{"ui", {{{"msgbox", "maybe"}}}}}), "/ui/0/msgbox");
    EXPECT_EQ(ErrorPath({{"steps", {{{"env", {{"ORBKEY", 1}}}}}}}), "/steps/0/env/ORBKEY");
}

TEST(Scenario, FilesAreEncodedAsAsked) {
    const json document = {{"files",
                            {{"le.ini", {{"text", "[A]"}, {"encoding", "utf-16le"}, {"bom", true}}},
                             {"be.ini", {{"text", "é"}, {"encoding", "utf-16be"}}},
                             {"ansi.ini", {{"text", "é€"}, {"encoding", "ansi"}}},
                             {"raw.ini", {{"hex", "EF BB 41"}}}}}};
    const Scenario scenario = ParseScenario(document);
    std::map<std::string, std::string> bytes;
    for (const ScenarioFile& file : scenario.files) {
        bytes[file.name] = file.bytes;
    }
    EXPECT_EQ(bytes["le.ini"], std::string("\xFF\xFE[\0A\0]\0", 8));
    EXPECT_EQ(bytes["be.ini"], std::string("\0\xE9", 2));
    EXPECT_EQ(bytes["ansi.ini"], "\xE9\x80");
    EXPECT_EQ(bytes["raw.ini"], "\xEF\xBB\x41");
    EXPECT_EQ(ErrorPath({{"files", {{"x.ini", {{"text", "\xE2\x98\x83"}, {"encoding", "ansi"}}}}}}),
              "/files/x.ini/text")
        << "a snowman has no Windows-1252 byte";
}

std::string TextErrorPath(const std::string& text) {
    try {
        ParseScenario(ParseScenarioText(text));
    } catch (const sim::ScenarioError& e) {
        return e.path() + ": " + e.what();
    }
    return "(accepted)";
}

std::string FilesErrorPath(std::initializer_list<std::string> names) {
    json files = json::object();
    for (const std::string& name : names) {
        files[name] = {{"text", "x"}};
    }
    return ErrorPath({{"files", files}});
}

TEST(Scenario, TextsThatCouldExhaustTheStackOrOverflowAreRefusedWithTheirPlace) {
    const std::string deep(100000, '[');
    for (const std::string& prefix :
         {std::string(R"({"steps": [{"type": )"), std::string(R"({"drawing": {"entities": )"),
          std::string(R"({"pdm": )")}) {
        const std::string error = TextErrorPath(prefix + deep);
        EXPECT_NE(error.find("nested deeper than"), std::string::npos) << prefix << error;
    }
    EXPECT_EQ(TextErrorPath(R"({"steps": [{"type": )" + deep).substr(0, 14), "/steps/0/type/")
        << "the place is where the nesting goes too deep";
    const std::string limit(kMostScenarioNesting - 1, '[');
    const std::string close(kMostScenarioNesting - 1, ']');
    EXPECT_EQ(TextErrorPath("{\"description\": " + limit + close + "}"),
              "/description: expected a string")
        << "nesting up to the limit is read";

    EXPECT_EQ(TextErrorPath(R"({"drawing": {"entities": [{"handle": 1, "type": "line",
                                 "position": [1e400, 0]}]}})")
                  .substr(0, 36),
              "/drawing/entities/0/position/0: numb");
    EXPECT_EQ(TextErrorPath(R"({"steps": [{"fail": {"op": "readRow", "nth": 1, "status": )" +
                            std::string(1000000, '9') + "}}]}")
                  .substr(0, 22),
              "/steps/0/fail/status: ");
    EXPECT_EQ(
        ErrorPath({{"steps", {{{"fail", {{"op", "readRow"}, {"nth", 1}, {"status", 1e10}}}}}}}),
        "/steps/0/fail/status");
}

TEST(Scenario, FileNamesAreRelativeInsideAndHoldable) {
    EXPECT_EQ(FilesErrorPath({"."}), "/files/.");
    EXPECT_EQ(FilesErrorPath({"dir/"}), "/files/dir~1");
    EXPECT_EQ(FilesErrorPath({std::string("a\0b", 3)}), std::string("/files/a\0b", 10));
    EXPECT_EQ(FilesErrorPath({std::string(5000, 'n')}), "/files/" + std::string(5000, 'n'));
    EXPECT_EQ(FilesErrorPath({"a", "a/b"}), "/files/a~1b");
    EXPECT_EQ(FilesErrorPath({"/etc/passwd"}), "/files/~1etc~1passwd");
    EXPECT_EQ(FilesErrorPath({"ok/../../out.ini"}), "/files/ok~1..~1..~1out.ini");
    EXPECT_EQ(FilesErrorPath({"C:evil.ini"}), "/files/C:evil.ini");
    EXPECT_EQ(FilesErrorPath({"ws/a..b.ini", "ws/c.ini", "ab"}), "(accepted)");
}

TEST(Scenario, FaultsAndRefusalsNameOnlyWhatExists) {
    const auto fault = [](const std::string& op, int nth, int status) {
        return json{{"steps", {{{"fail", {{"op", op}, {"nth", nth}, {"status", status}}}}}}};
    };
    try {
        ParseScenario(fault("readrow", 1, 5));
        ADD_FAILURE() << "a misspelt operation was accepted";
    } catch (const sim::ScenarioError& e) {
        EXPECT_EQ(e.path(), "/steps/0/fail/op");
        EXPECT_NE(std::string(e.what()).find("readRow"), std::string::npos)
            << "the valid names are listed: " << e.what();
    }
    EXPECT_EQ(ErrorPath(fault("readRow", -3, 5)), "/steps/0/fail/nth");
    EXPECT_EQ(ErrorPath(fault("readRow", 1, 0)), "/steps/0/fail/status");
    EXPECT_EQ(ErrorPath(fault("*", 2, 5)), "(accepted)");

    try {
        ParseScenario({{"pdm", {{"refuse", {{"BOMSTRAT", 3}}}}}});
        ADD_FAILURE() << "a misspelt PDM command was accepted";
    } catch (const sim::ScenarioError& e) {
        EXPECT_EQ(e.path(), "/pdm/refuse/BOMSTRAT");
        EXPECT_NE(std::string(e.what()).find("BOMSTART"), std::string::npos) << e.what();
    }
    EXPECT_EQ(
        ErrorPath(
            {{"pdm",
              {{"refuse",
                {{"BOMELEMENTSTART", {{{"nth", 1}, {"code", 5}}, {{"nth", 0}, {"code", 5}}}}}}}}}),
        "/pdm/refuse/BOMELEMENTSTART/1/nth");
    EXPECT_EQ(ErrorPath({{"steps", {{{"pdm", {{"refuse", {{"BOMEND", {4, {{"nth", 2}}}}}}}}}}}}),
              "/steps/0/pdm/refuse/BOMEND/1");
}

TEST(Scenario, TextsCannotHoldANul) {
    const std::string nul("He\0x", 4);
    EXPECT_EQ(ErrorPath({{"pdm", {{"tables", {{"T", {{{"A", nul}}}}}}}}}), "/pdm/tables/T/0/A");
    EXPECT_EQ(ErrorPath({{"pdm", {{"env", {{nul, "x"}}}}}}), "/pdm/env/" + nul);
    EXPECT_EQ(ErrorPath({{"steps", {{{"type", nul}}}}}), "/steps/0/type");
    EXPECT_EQ(ErrorPath({{"steps", {{{"env", {{"ORBKEY", nul}}}}}}}), "/steps/0/env/ORBKEY");
    EXPECT_EQ(ErrorPath({{"hostFunctions", {{nul, "x"}}}}), "/hostFunctions/" + nul);
}

TEST(Scenario, StepsChangeThePdmAndTheDrawingSetting) {
    const Scenario scenario = ParseScenario(
        {{"steps",
          {{{"pdm",
             {{"hasPart", "1"}, {"settings", {{"A", "1"}}}, {"tables", {{"T", json::array()}}}}}},
           {{"structure2d", true}}}}});
    ASSERT_EQ(scenario.steps.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<PdmStep>(scenario.steps[0].action));
    ASSERT_TRUE(std::holds_alternative<Structure2dStep>(scenario.steps[1].action));
    EXPECT_TRUE(std::get<Structure2dStep>(scenario.steps[1].action).on);
    EXPECT_EQ(ErrorPath({{"steps", {{{"pdm", {{"hasPart", 1}}}}}}}), "/steps/0/pdm/hasPart");
    EXPECT_EQ(ErrorPath({{"steps", {{{"structure2d", "yes"}}}}}), "/steps/0/structure2d");
}

TEST(Scenario, PlacesOfTheFileSystemAreKeptForTheWorkDirectoryCheck) {
    const Scenario scenario =
        ParseScenario({{"pdm", {{"env", {{"WSPATH", "ws/"}, {"ORBKEY", "D1"}}}}},
                       {"steps", {{{"command", "X"}, {"env", {{"BOMIniFile", "/tmp/m.ini"}}}}}}});
    ASSERT_EQ(scenario.pathSettings.size(), 2u);
    EXPECT_EQ(scenario.pathSettings[0].path, "/pdm/env/WSPATH");
    EXPECT_EQ(scenario.pathSettings[1].value, "/tmp/m.ini");
    EXPECT_EQ(scenario.pathSettings[1].path, "/steps/0/env/BOMIniFile");
}

}  // namespace
