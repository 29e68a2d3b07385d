#include <benchmark/benchmark.h>

#include <cstdio>

#include "loads.h"

namespace flakmire::bench {

namespace {

class FrameShareReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto frames = run.counters.find("frames");
      if (frames == run.counters.end() || frames->second.value <= 0) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const double seconds =
          run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      std::printf("    %s: %.3f%% of the 15.6 ms frame\n", run.benchmark_name().c_str(),
                  100 * seconds / frames->second.value / FrameSeconds);
    }
    std::fflush(stdout);
  }
};

}  // namespace

int RunWithFrameShares(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  FrameShareReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace flakmire::bench
