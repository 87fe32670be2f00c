// A console reporter for the benchmarks that keeps every run's real time per iteration (the
// fastest of its repetitions), so that a benchmark can print how its time grows from one size
// to the next.
#pragma once

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <map>
#include <ostream>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // Of repetitions the fastest counts: a shared machine makes some of them slow.
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                const std::string& args = run.run_name.args;
                const auto [kept, added] =
                    seconds_.emplace(run.run_name.function_name + (args.empty() ? "" : "/" + args),
                                     run.GetAdjustedRealTime());
                if (!added && run.GetAdjustedRealTime() < kept->second) {
                    kept->second = run.GetAdjustedRealTime();
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Time of run a over time of run b (names as "Benchmark/arg"); 0 when either is missing.
    double Ratio(const std::string& a, const std::string& b) const {
        const auto x = seconds_.find(a);
        const auto y = seconds_.find(b);
        return x == seconds_.end() || y == seconds_.end() || y->second == 0 ? 0.0
                                                                            : x->second / y->second;
    }

    // For each benchmark, its time at 100,000 over its time at 10,000: linear growth keeps it
    // near 10.
    void PrintGrowth(std::ostream& out, std::initializer_list<const char*> names) const {
        for (const char* name : names) {
            out << name << " time 100000/10000: "
                << Ratio(std::string(name) + "/100000", std::string(name) + "/10000")
                << " (goal: at most 11)\n";
        }
    }

  private:
    std::map<std::string, double> seconds_;
};
