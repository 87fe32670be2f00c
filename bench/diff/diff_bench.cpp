// DiffDrawings on generated drawings of 1,000, 10,000 and 100,000 rows, each row with a part
// reference and four cells; the later drawing has one row in a hundred changed, renumbered,
// removed or added, and a column more. Prints how the time grows with the size.
#include <benchmark/benchmark.h>

#include <iostream>
#include <string>

#include "app/common/change_text.h"
#include "app/common/drawing_diff.h"
#include "bench/ratio_reporter.h"

namespace {

using nlohmann::json;

json Row(int n, const std::string& descr) {
    return {{"item", std::to_string(n)},
            {"qty", 1 + n % 5},
            {"dataEntry", 100000 + n},
            {"cells",
             {{"DESCR", descr},
              {"IDENT", "ID-" + std::to_string(n)},
              {"MATERIAL", "Steel"},
              {"ORBKEY", "P" + std::to_string(n)}}},
            {"partRefPaths", json::array({json::array({n})})}};
}

json Drawing(int rows, bool later) {
    json entities = json::array();
    json list = json::array();
    for (int n = 1; n <= rows; ++n) {
        const bool changed = later && n % 100 == 0;
        if (later && n % 100 == 50) {
            continue;  // removed
        }
        entities.push_back({{"handle", n},
                            {"type", "partref"},
                            {"dataEntry", 100000 + n},
                            {"position", {n % 1000, n / 1000}}});
        json row =
            Row(n, changed ? "Part " + std::to_string(n) + " rev B" : "Part " + std::to_string(n));
        if (later && n % 100 == 10) {
            row["item"] = std::to_string(rows + n);  // renumbered
        }
        list.push_back(std::move(row));
    }
    if (later) {
        for (int n = rows + 1; n <= rows + rows / 100; ++n) {
            list.push_back(Row(n + rows, "Added " + std::to_string(n)));
        }
    }
    json columns = json::array(
        {{{"name", "ITEM"}, {"visible", true}}, {{"name", "DESCR"}, {"visible", true}}});
    if (later) {
        columns.push_back({{"name", "NOTE"}, {"visible", false}});
    }
    return {{"entities", entities},
            {"boms", json::array({{{"owner", nullptr}, {"rows", list}}})},
            {"standard", {{"columns", columns}}}};
}

void Diff(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const json before = Drawing(rows, false);
    const json after = Drawing(rows, true);
    std::size_t changes = 0;
    for (auto _ : state) {
        changes = DiffDrawings(before, after).size();
        benchmark::DoNotOptimize(changes);
    }
    state.counters["changes"] = static_cast<double>(changes);
}

void DiffAndText(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const json before = Drawing(rows, false);
    const json after = Drawing(rows, true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChangesText(DiffDrawings(before, after)));
    }
}

BENCHMARK(Diff)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(DiffAndText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintGrowth(std::cout, {"Diff", "DiffAndText"});
    benchmark::Shutdown();
    return 0;
}
