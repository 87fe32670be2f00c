// TimeRatioReporter: the console reporter that also keeps each run's time per iteration, so
// that a benchmark program can print how the time grows between two runs at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TimeRatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Time of run a over time of run b (names as the console shows them), 0 when either
    // did not run.
    double Ratio(const std::string& a, const std::string& b) const {
        const auto x = seconds_.find(a);
        const auto y = seconds_.find(b);
        return x == seconds_.end() || y == seconds_.end() || y->second == 0 ? 0.0
                                                                            : x->second / y->second;
    }

  private:
    std::map<std::string, double> seconds_;
};
