// The fault sweep: each scenario runs once to count the calls of every fallible host,
// mechanical-layer and PDM-client operation, then once per call with that call failing.
// Whatever fails, the module must not crash, must leave no object open, must leave every
// parts-list transfer the PDM received properly framed, and must leave no third state: every
// column, entity, part-data field, row and cell of the saved drawing is as it was before the
// steps or as the clean run left it, or, for a field of an object that took another key, gone.
// Leaks show under the sanitizer build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "app/common/scenario.h"
#include "app/common/session.h"
#include "host/vx_status.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"
#include "tests/sweep/drawing_facts.h"

namespace fs = std::filesystem;

namespace {

// More calls of one operation than this are swept only up to it; later calls repeat the
// same paths.
constexpr int kMostCallsPerOperation = 40;

std::vector<fs::path> ScenarioFiles() {
    std::vector<fs::path> files;
    std::stringstream dirs(ORBD_SCENARIO_DIRS);
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (!fs::is_directory(dir)) {
            continue;
        }
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() == ".json") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A status of the kind the operation answers: input and lisp functions speak VxRt.
int FailureStatus(const std::string& operation) {
    return operation.rfind("vxed", 0) == 0 ? static_cast<int>(kRtError)
                                           : static_cast<int>(Vx::eInvalidInput);
}

struct Outcome {
    std::size_t openObjects = 0;
    bool framingWhole = true;
    std::map<std::string, int> calls;
    DrawingFacts drawing;
};

struct Totals {
    int scenarios = 0;
    int failingCalls = 0;
    int drawingsCompared = 0;
};

Totals& totals() {
    static Totals t;
    return t;
}

fs::path SavedDrawingFile() {
    // One folder per sweep process, so that sweeps side by side do not meet.
    static const fs::path folder = [] {
        fs::path made = fs::temp_directory_path() / "orbd-sweep";
        for (unsigned n = std::random_device{}();; ++n) {
            if (fs::create_directories(made.replace_filename("orbd-sweep-" + std::to_string(n)))) {
                return made;
            }
        }
    }();
    return folder / "saved.json";
}

class PrintTotals : public ::testing::Environment {
  public:
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(SavedDrawingFile().parent_path(), ignored);
        std::cout << "fault sweep: " << totals().scenarios << " scenarios, "
                  << totals().failingCalls << " failing calls tried, " << totals().drawingsCompared
                  << " drawings compared\n";
    }
};

const ::testing::Environment* const kTotals = ::testing::AddGlobalTestEnvironment(new PrintTotals);

// Runs the steps before index stepLimit. With a fault armed, the run also ends after the step
// in which the fault fired, whose index goes to firedAt: later steps read their answers from a
// command line that the failure has shifted, so only that step's own effect is judged.
Outcome RunOnce(const Scenario& scenario, const std::string& failOperation, int nth,
                std::size_t stepLimit = SIZE_MAX, std::optional<std::size_t>* firedAt = nullptr) {
    RunOptions options;
    options.module = ORBD_MODULE_FILE;
    const fs::path saved = SavedDrawingFile();
    options.saveDrawing = saved;
    std::ostringstream discarded;
    Transcript transcript(discarded, TranscriptFormat::kJsonl);
    Outcome outcome;
    Session session(options, scenario, transcript);
    sim::clearFaults();
    if (!failOperation.empty()) {
        sim::armFault(failOperation, nth, FailureStatus(failOperation));
    }
    for (std::size_t i = 0; i < scenario.steps.size() && i < stepLimit; ++i) {
        if (std::holds_alternative<FailStep>(scenario.steps[i].action)) {
            continue;
        }
        session.RunStep(scenario.steps[i]);
        if (firedAt != nullptr && !failOperation.empty() && sim::unfiredFaults().empty()) {
            *firedAt = i;
            break;
        }
    }
    outcome.calls = sim::checkpointCounts();
    outcome.framingWhole = sim::pdm::framingWhole();
    outcome.openObjects = session.Finish();
    std::ifstream in(saved);
    outcome.drawing = FactsOf(nlohmann::json::parse(in)["drawing"]);
    in.close();
    fs::remove(saved);
    return outcome;
}

TEST(DrawingFacts, AThirdValueIsFoundWhereverItIs) {
    const nlohmann::json before = nlohmann::json::parse(R"({
      "entities": [{"handle": 1, "type": "partref", "dataEntry": 7}], "blocks": [],
      "partData": {"ORBKEY": "A"}, "dataEntries": {},
      "boms": [{"owner": null, "rows": [{"item": "1", "qty": 1, "dataEntry": 7,
                                         "cells": {"DESCR": "old", "NOTE": "n"}}]}],
      "standard": {"columns": [{"name": "DESCR", "visible": true}]}, "structure2d": false})");
    nlohmann::json after = before;
    after["boms"][0]["rows"][0]["cells"]["DESCR"] = "new";
    after["standard"]["columns"].push_back({{"name", "IDENT"}, {"visible", true}});
    EXPECT_TRUE(ThirdStates(FactsOf(before), FactsOf(after), FactsOf(before)).empty());
    EXPECT_TRUE(ThirdStates(FactsOf(before), FactsOf(after), FactsOf(after)).empty());

    nlohmann::json third = after;
    third["boms"][0]["rows"][0]["cells"]["DESCR"] = "";
    third["standard"]["columns"][1]["visible"] = false;
    third["partData"].erase("ORBKEY");
    third["entities"][0]["dataEntry"] = 8;
    const std::vector<std::string> found =
        ThirdStates(FactsOf(before), FactsOf(after), FactsOf(third));
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].rfind("column IDENT", 0), 0u) << found[0];
    EXPECT_EQ(found[1].rfind("drawing part data ORBKEY = (none)", 0), 0u) << found[1];
    EXPECT_EQ(found[2].rfind("model space entity 1", 0), 0u) << found[2];
    EXPECT_EQ(found[3].rfind("parts list of model space row of data entry 7 cell DESCR", 0), 0u)
        << found[3];
}

class FaultSweep : public ::testing::TestWithParam<fs::path> {};

TEST_P(FaultSweep, EveryFailingCallLeavesNothingOpenTheFramingWholeAndNoThirdState) {
    const Scenario scenario = ReadScenario(GetParam());
    const Outcome clean = RunOnce(scenario, "", 0);
    // The drawing of the clean run before step k, by k.
    std::map<std::size_t, DrawingFacts> cleanBefore;
    const auto cleanBeforeStep = [&](std::size_t k) -> const DrawingFacts& {
        auto found = cleanBefore.find(k);
        if (found == cleanBefore.end()) {
            found = cleanBefore.emplace(k, RunOnce(scenario, "", 0, k).drawing).first;
        }
        return found->second;
    };
    ASSERT_EQ(clean.openObjects, 0u) << "the scenario leaves objects open without any fault";
    ++totals().scenarios;
    int runs = 0;
    int newObjectsLeftPartial = 0;
    int fieldsOfAnotherItemRemoved = 0;
    for (const auto& [operation, count] : clean.calls) {
        EXPECT_TRUE(sim::isFaultOperation(operation))
            << "checkpoint \"" << operation << "\" is missing from sim::faultOperations()";
        for (int nth = 1; nth <= std::min(count, kMostCallsPerOperation); ++nth) {
            std::optional<std::size_t> firedAt;
            const Outcome failed = RunOnce(scenario, operation, nth, SIZE_MAX, &firedAt);
            const DrawingFacts& before = cleanBeforeStep(firedAt ? *firedAt : 0);
            const DrawingFacts& after = firedAt ? cleanBeforeStep(*firedAt + 1) : clean.drawing;
            EXPECT_EQ(failed.openObjects, 0u) << operation << " call " << nth << " failing";
            EXPECT_TRUE(failed.framingWhole) << operation << " call " << nth << " failing";
            for (const std::string& third : ThirdStates(before, after, failed.drawing)) {
                // What the failing step itself created may stay as far as it got (a placed part
                // reference whose part data could not be fetched stays without them); what
                // existed before the step must be as before or as after.
                if (before.count(third.substr(0, third.find(" = "))) == 0) {
                    ++newObjectsLeftPartial;
                    continue;
                }
                // A field whose query failed while its object took another key must not keep
                // the old item's value; gone is the sound state then.
                if (IsFieldLeftByAnotherItem(before, failed.drawing, third)) {
                    ++fieldsOfAnotherItemRemoved;
                    continue;
                }
                ADD_FAILURE() << operation << " call " << nth << " failing leaves " << third;
            }
            ++runs;
            ++totals().drawingsCompared;
        }
    }
    totals().failingCalls += runs;
    RecordProperty("runs", runs);
    RecordProperty("newObjectsLeftPartial", newObjectsLeftPartial);
    RecordProperty("fieldsOfAnotherItemRemoved", fieldsOfAnotherItemRemoved);
}

std::string TestName(const ::testing::TestParamInfo<fs::path>& info) {
    std::string name =
        info.param.parent_path().filename().string() + "_" + info.param.stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FaultSweep, ::testing::ValuesIn(ScenarioFiles()), TestName);

}  // namespace
