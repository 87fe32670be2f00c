// Reading scenario files: every violation names its place, and nothing of a bad file runs.
#include <gtest/gtest.h>

#include "app/scenario.h"
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

}  // namespace
