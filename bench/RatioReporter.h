#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

/// Console reporter that also keeps each run's CPU time (steadier than wall time on a shared
/// machine) by benchmark name, so a benchmark can print ratios against its baseline run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs)
      times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  /// CPU time of every run so far, e.g. times["SaveAndOpen/1000"].
  std::map<std::string, double> times;
};
