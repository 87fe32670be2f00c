// A scenario file read without its whole DOM gives what its DOM gives: the same scenario and
// drawing, or the same first fault with its place, whichever part of the text holds it and
// whatever else is wrong after it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "app/common/scenario.h"
#include "app/common/scenario_scan.h"
#include "app/common/scenario_text.h"
#include "sim/scenario/drawing_text_load.h"
#include "sim/scenario/scenario_error.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// What a scenario comes to: its steps, files and PDM, and its drawing saved, or a fault.
std::string Outcome(const std::function<Scenario()>& read) {
    try {
        const Scenario scenario = read();
        std::string files;
        for (const ScenarioFile& file : scenario.files) {
            files += file.name + "=" + file.bytes + ";";
        }
        return std::to_string(scenario.steps.size()) + " steps, " + files + scenario.pdm.dump() +
               scenario.drawing.Saved().dump();
    } catch (const sim::ScenarioError& e) {
        return e.path() + ": " + e.what();
    }
}

class ScenarioRead : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orbd_scenario_read_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // From the file, and from the text parsed whole, as scenarios were read before.
    void ExpectAlike(const std::string& text, const std::string& what) {
        const fs::path file = dir_ / "scenario.json";
        std::ofstream(file, std::ios::binary) << text;
        const std::string fromFile = Outcome([&] { return ReadScenario(file); });
        const std::string fromDom = Outcome([&] { return ParseScenario(ParseScenarioText(text)); });
        EXPECT_EQ(fromFile, fromDom) << what;
    }

    fs::path dir_;
};

const char* const kScenario = R"({
  "description": "a bit of everything",
  "files": { "m.ini": { "text": "[A]", "encoding": "utf-16le" } },
  "drawing": {
    "entities": [ { "handle": 1, "type": "partref", "dataEntry": 1 } ],
    "boms": [ { "owner": null, "current": true, "rows": [
      { "item": "1", "qty": 1, "dataEntry": 1, "cells": { "ORBKEY": "P1" },
        "partRefPaths": [[1]] } ] } ]
  },
  "pdm": { "env": { "ORBKEY": "D1" } },
  "steps": [ { "type": "ORBDBOM\n" } ]
})";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST_F(ScenarioRead, AFileGivesWhatItsDomGives) {
    ExpectAlike(kScenario, "plain");
    std::string text = kScenario;
    text.reserve(text.size() + ScenarioTextPadding());
    const auto scanned = ScanScenarioText(text);
    ASSERT_EQ(scanned.has_value(), sim::kLoadsDrawingText)
        << "a plain scenario is read without its DOM";
    if (scanned) {
        const auto& members = scanned->members;
        EXPECT_EQ(members.size(), 5u);
        EXPECT_EQ(members.at(4).first, "steps");
        EXPECT_EQ(json::parse(members.at(4).second), json::parse(R"([ { "type": "ORBDBOM\n" } ])"));
    }
    ExpectAlike("{}", "empty");
    ExpectAlike(
        Replaced(kScenario, R"("pdm": {)", R"("drawing": { "structure2d": true }, "pdm": {)"),
        "the last of two drawings counts");
}

// A drawing whose entities and rows are large enough to be read one at a time from where the
// first look at the text found them; cells unsorted, one name given twice.
std::string LargeScenario() {
    std::string entities;
    std::string rows;
    for (int n = 1; n <= 500; ++n) {
        const std::string number = std::to_string(n);
        const std::string gap = n > 1 ? " ,\n  " : "";
        entities += gap + R"({ "handle": )" + number + R"(, "type": "partref", "dataEntry": )" +
                    number + " }";
        rows += gap + R"({ "item": ")" + number + R"(", "qty": 1, "dataEntry": )" + number +
                R"(, "cells": { "ZETA": "z", "ALPHA": "\u00fc", "MID": "m\"q", "ALPHA": "a" },
                    "partRefPaths": [[)" +
                number + "]] }";
    }
    return R"({ "drawing": { "entities": [ )" + entities +
           R"( ], "boms": [ { "owner": null, "rows": [ )" + rows + R"( ] } ] } })";
}

TEST_F(ScenarioRead, ALargeDrawingIsReadARowAtATimeAsItsDomReadsIt) {
    std::string text = LargeScenario();
    text.reserve(text.size() + ScenarioTextPadding());
    const auto scanned = ScanScenarioText(text);
    ASSERT_EQ(scanned.has_value(), sim::kLoadsDrawingText);
    if (scanned) {
        std::size_t rows = 0;
        EXPECT_TRUE(scanned->spans->forEachMember(text.data() + text.find(R"("rows": [)") + 8,
                                                  [&](const sim::JsonMember&) { ++rows; }));
        EXPECT_EQ(rows, 500u);
    }
    ExpectAlike(text, "plain");
    const auto replaced = [&](const std::string& from, const std::string& to) {
        return Replaced(LargeScenario(), from, to);
    };
    ExpectAlike(replaced(R"("item": "250", "qty": 1)", R"("item": "250", "qty": "1")"),
                "a fault in a row");
    ExpectAlike(replaced(R"("item": "250", "qty": 1)", R"("item": "250", "\u0071ty": 1)"),
                "a key with an escape in a row");
    ExpectAlike(replaced(R"("owner": null, "rows")", R"("owner": null, "\u0072ows")"),
                "a key with an escape in a parts list");
    ExpectAlike(replaced(R"("item": "250", "qty": 1)", R"("item": "250", "qty": 2, "qty": 1)"),
                "a key given twice in a row");
    ExpectAlike(replaced(R"({ "handle": 7,)", R"({ "handle": 6,)"), "a handle given twice");
}

TEST_F(ScenarioRead, FaultsAreNamedAsTheDomNamesThem) {
    const std::string deep = std::string(70, '[') + std::string(70, ']');
    const std::string wrongQty = Replaced(kScenario, R"("qty": 1)", R"("qty": "1")");
    for (const auto& [text, what] : std::initializer_list<std::pair<std::string, const char*>>{
             {wrongQty, "a fault in a row"},
             {Replaced(wrongQty, R"("type": "ORBDBOM\n")", R"("type": 5)"),
              "a fault in the steps is found before one in the drawing"},
             {Replaced(kScenario, R"("steps": [)", R"("steps": [ { "dance": 1 },)"),
              "a fault after the drawing"},
             {Replaced(wrongQty, R"("pdm": {)", R"("pdm": { "env": 1 }, "pdm2": {)"),
              "an unknown member"},
             {Replaced(wrongQty, R"("steps": [)", R"("steps": [ 1e400,)"), "a number beyond range"},
             {Replaced(kScenario, R"("qty": 1)", R"("qty": 123456789012345678901234567890)"),
              "an integer no 64 bits hold"},
             {Replaced(wrongQty, R"(} ]
})",
                       R"(} ],
})"),
              "a syntax fault at the end, after faults of the schema"},
             {Replaced(wrongQty, R"("description": )", R"("description": )" + deep + ","),
              "nested too deep"},
             {std::string("\xEF\xBB\xBF") + kScenario, "a byte-order mark"},
             {wrongQty + " x", "something after the document"},
             {wrongQty + std::string("\0 x", 3), "a NUL ends the text"},
             {Replaced(kScenario, R"("ORBKEY": "P1")", "\"ORBKEY\": \"P\x01\""),
              "a control character"},
             {Replaced(kScenario, R"("ORBKEY": "P1")", R"("ORBKEY": "\ud800")"),
              "a lone surrogate"},
             {Replaced(kScenario, R"("ORBKEY": "P1")", R"("ORBKEY": "P\q")"), "an unknown escape"},
             {"[1, 2]", "not an object"},
             {"", "nothing"}}) {
        ExpectAlike(text, what);
    }
}

}  // namespace
