// The fault sweep: each scenario runs once to count the calls of every fallible host,
// mechanical-layer and PDM-client operation, then once per call with that call failing.
// Whatever fails, the module must not crash, must leave no object open, and must leave every
// parts-list transfer the PDM received properly framed. Leaks show under the sanitizer build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/scenario.h"
#include "app/session.h"
#include "host/vx_status.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"

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
};

Outcome RunOnce(const Scenario& scenario, const std::string& failOperation, int nth) {
    RunOptions options;
    options.module = ORBD_MODULE_FILE;
    std::ostringstream discarded;
    Transcript transcript(discarded, TranscriptFormat::kJsonl);
    Outcome outcome;
    Session session(options, scenario, transcript);
    sim::clearFaults();
    if (!failOperation.empty()) {
        sim::armFault(failOperation, nth, FailureStatus(failOperation));
    }
    for (const ScenarioStep& step : scenario.steps) {
        if (step.kind != ScenarioStep::Kind::kFail) {
            session.RunStep(step);
        }
    }
    outcome.calls = sim::checkpointCounts();
    outcome.framingWhole = sim::pdm::framingWhole();
    outcome.openObjects = session.Finish();
    return outcome;
}

class FaultSweep : public ::testing::TestWithParam<fs::path> {};

TEST_P(FaultSweep, EveryFailingCallLeavesNothingOpenAndTheFramingWhole) {
    const Scenario scenario = ReadScenario(GetParam());
    const Outcome clean = RunOnce(scenario, "", 0);
    ASSERT_EQ(clean.openObjects, 0u) << "the scenario leaves objects open without any fault";
    int runs = 0;
    for (const auto& [operation, count] : clean.calls) {
        for (int nth = 1; nth <= std::min(count, kMostCallsPerOperation); ++nth) {
            const Outcome failed = RunOnce(scenario, operation, nth);
            EXPECT_EQ(failed.openObjects, 0u) << operation << " call " << nth << " failing";
            EXPECT_TRUE(failed.framingWhole) << operation << " call " << nth << " failing";
            ++runs;
        }
    }
    RecordProperty("runs", runs);
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
