// ini-check --scenario on generated drawings of 1,000, 10,000 and 100,000 parts-list rows,
// each row with a key of its own, against a mapping file whose part-reference section the
// check evaluates for every key. Prints how the time grows with the size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "app/ini_check/ini_check.h"
#include "bench/ratio_reporter.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string ScenarioText(int rows) {
    json list = json::array();
    for (int n = 1; n <= rows; ++n) {
        list.push_back({{"item", std::to_string(n)},
                        {"qty", 1},
                        {"dataEntry", n},
                        {"cells", {{"ORBKEY", "P" + std::to_string(n)}, {"DESCR", "Part"}}}});
    }
    const json columns = json::array({{{"name", "ITEM"}, {"visible", true}},
                                      {{"name", "QTY"}, {"visible", true}},
                                      {{"name", "DESCR"}, {"visible", true}},
                                      {{"name", "ORBKEY"}, {"visible", false}}});
    const json scenario = {
        {"drawing",
         {{"boms", json::array({{{"owner", nullptr}, {"rows", list}}})},
          {"standard", {{"columns", columns}}}}},
        {"pdm",
         {{"tables",
           {{"Folder_All_Part", json::array({{{"ORBKEY", "P1"}, {"DESCR", "Shaft"}}})}}}}}};
    return scenario.dump();
}

class Files {
  public:
    explicit Files(int rows)
        : dir_(fs::temp_directory_path() / ("ini-check-bench-" + std::to_string(rows))) {
        fs::create_directories(dir_);
        std::ofstream(Mapping(), std::ios::binary) << "[KORDANEPartRefToVexa]\r\nDESCR=#DESCR\r\n";
        std::ofstream(Scenario(), std::ios::binary) << ScenarioText(rows);
    }
    ~Files() { fs::remove_all(dir_); }
    fs::path Mapping() const { return dir_ / "mapping.ini"; }
    fs::path Scenario() const { return dir_ / "scenario.json"; }

  private:
    fs::path dir_;
};

void IniCheckScenario(benchmark::State& state) {
    const Files files(static_cast<int>(state.range(0)));
    const std::vector<std::string> args = {files.Mapping().string(), "--scenario",
                                           files.Scenario().string()};
    int code = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        code = RunIniCheck(args, out, err);
        std::string report = out.str();
        benchmark::DoNotOptimize(report);
    }
    state.counters["exit"] = code;
}

BENCHMARK(IniCheckScenario)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintGrowth(std::cout, {"IniCheckScenario"});
    benchmark::Shutdown();
    return 0;
}
