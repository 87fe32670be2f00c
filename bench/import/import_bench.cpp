// ImportScenario on parts lists of 1,000, 10,000 and 100,000 rows as the module exports them
// (UTF-16, tab-separated, six columns), with part references, a PDM table of as many records
// as CSV, and the mapping file; the scenario checked as a run checks it. Prints how the time
// grows with the size, each size measured on a heap it has grown already.
#include <benchmark/benchmark.h>

#include <iostream>
#include <string>

#include "app/common/text_conversion.h"
#include "app/import/scenario_import.h"
#include "bench/ratio_reporter.h"
#include "tests/support/utf16_bytes.h"

namespace {

ImportSources Sources(int rows) {
    std::string bom = "ITEM\tQTY\tDESCR\tIDENT\tMATERIAL\tORBKEY\r\n";
    std::string parts = "ORBKEY,IDENT,TITLE\n";
    for (int n = 1; n <= rows; ++n) {
        const std::string number = std::to_string(n);
        bom += number + "\t" + std::to_string(1 + n % 5) + "\tPart " + number + ", \"rev B\"\tID-" +
               number + "\tSteel\tP" + number + "\r\n";
        parts += "P" + number + ",ID-" + number + ",\"Part " + number + ", rev B\"\n";
    }
    ImportSources sources;
    sources.bom = {"KorBom.txt", Utf16(U16(bom), false, true)};
    sources.pdmTables = {{"Folder_All_Part", {"parts.csv", parts}}};
    sources.mappingName = "mapping.ini";
    sources.mappingBytes = "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\nPOS_QTY=QTY\r\n";
    sources.env = {{"ORBKEY", "D1.1"}};
    sources.partRefs = true;
    return sources;
}

void Import(benchmark::State& state) {
    const ImportSources sources = Sources(static_cast<int>(state.range(0)));
    // The first run of a size pays for growing the heap; without this the largest size, run
    // once, would pay it in full and the smaller ones, run many times, hardly at all.
    std::size_t bytes = ImportScenario(sources).size();
    for (auto _ : state) {
        bytes = ImportScenario(sources).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["scenarioBytes"] = static_cast<double>(bytes);
}

// Five times each, the fastest counting: one run of 100,000 rows against several of 10,000
// would otherwise compare a single draw of the machine's load with an average.
BENCHMARK(Import)->Arg(1000)->Arg(10000)->Arg(100000)->Repetitions(5)->Unit(
    benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintGrowth(std::cout, {"Import"});
    benchmark::Shutdown();
    return 0;
}
