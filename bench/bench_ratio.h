#pragma once
// A main for benchmark programs that measure our path beside a baseline in the same process:
// runs every benchmark several times, interleaved, keeps the median of each and prints the
// ratio of each pair. Timings of different processes vary too much to be compared; ratios of
// medians taken in one run are the figures that mean something.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace moji::bench {

/// Two benchmarks compared by the ratio of their medians, and the goal the ratio should meet.
struct RatioPair {
  std::string Label;     ///< printed as "ratio <Label> = ..."
  std::string Ours;      ///< name of our benchmark as it is printed
  std::string Baseline;  ///< name of the baseline benchmark as it is printed
  double Goal = 0.0;     ///< the most (or, with AtLeast, the least) the ratio should be; 0: none
  bool AtLeast = false;
  const char* Note = nullptr;  ///< printed after the ratio, for a ratio without a goal
};

/// A benchmark whose median is reported as a share of a period, and the most it should take.
struct PeriodShare {
  std::string Label;      ///< printed as "share <Label> = ..."
  std::string Benchmark;  ///< name of the benchmark as it is printed
  double PeriodSeconds = 0.0;
  double GoalPercent = 0.0;  ///< 0: none, the share is information
};

/// Median real and CPU time per iteration of one benchmark, in seconds.
struct Medians {
  double Real = -1.0;
  double Cpu = -1.0;
};

/// The console output, and the medians of every benchmark (its single run when it ran once).
class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  /// Coloured on a terminal only, so that logs stay plain text.
  MedianReporter() : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.str();
      const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
      const Medians times{run.GetAdjustedRealTime() / unit, run.GetAdjustedCPUTime() / unit};
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[name] = times;
      } else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) {
        medians_.emplace(name, times);
      }
    }
  }

  /// The medians of a benchmark, negative when it did not run.
  Medians Of(const std::string& name) const {
    const auto found = medians_.find(name);
    return found == medians_.end() ? Medians{} : found->second;
  }

 private:
  std::map<std::string, Medians> medians_;
};

/// Whether the command line already sets the flag `--name=...`.
inline bool HasFlag(int argc, char** argv, const char* name) {
  const std::size_t length = std::strlen(name);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], name, length) == 0) return true;
  }
  return false;
}

/// Prints "ratio <label> = r (cpu c; goal <= g: met)" for every pair whose two benchmarks ran:
/// r from the real-time medians, c from the CPU-time medians, which a busy machine disturbs less.
inline void PrintRatios(const MedianReporter& reporter, const std::vector<RatioPair>& pairs) {
  for (const RatioPair& pair : pairs) {
    const Medians ours = reporter.Of(pair.Ours);
    const Medians baseline = reporter.Of(pair.Baseline);
    if (ours.Real <= 0.0 || baseline.Real <= 0.0 || baseline.Cpu <= 0.0) continue;
    const double ratio = ours.Real / baseline.Real;
    const double cpuRatio = ours.Cpu / baseline.Cpu;
    if (pair.Goal <= 0.0) {
      std::printf("ratio %s = %.3g (cpu %.3g%s%s)\n", pair.Label.c_str(), ratio, cpuRatio,
                  pair.Note == nullptr ? "" : "; ", pair.Note == nullptr ? "" : pair.Note);
      continue;
    }
    const bool met = pair.AtLeast ? ratio >= pair.Goal : ratio <= pair.Goal;
    std::printf("ratio %s = %.3g (cpu %.3g; goal %s %.3g: %s)\n", pair.Label.c_str(), ratio,
                cpuRatio, pair.AtLeast ? ">=" : "<=", pair.Goal, met ? "met" : "NOT met");
  }
  std::fflush(stdout);
}

/// Prints "share <label> = p % of <period> ms (goal < g %: met)" for every share whose
/// benchmark ran, from its real-time median; "(information)" for a share without a goal.
inline void PrintShares(const MedianReporter& reporter, const std::vector<PeriodShare>& shares) {
  for (const PeriodShare& share : shares) {
    const Medians times = reporter.Of(share.Benchmark);
    if (times.Real <= 0.0) continue;
    const double percent = 100.0 * times.Real / share.PeriodSeconds;
    if (share.GoalPercent <= 0.0) {
      std::printf("share %s = %.3g %% of %g ms (information)\n", share.Label.c_str(), percent,
                  share.PeriodSeconds * 1000.0);
      continue;
    }
    std::printf("share %s = %.3g %% of %g ms (goal < %g %%: %s)\n", share.Label.c_str(), percent,
                share.PeriodSeconds * 1000.0, share.GoalPercent,
                percent < share.GoalPercent ? "met" : "NOT met");
  }
  std::fflush(stdout);
}

/// Runs the registered benchmarks, by default 7 times each in random order, and prints the
/// ratios and shares. Flags given on the command line win over these defaults. A missed goal
/// is printed, never turned into a failing exit status: a slow machine is no fault of the
/// program.
inline int RunWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs,
                         const std::vector<PeriodShare>& shares = {}) {
  std::vector<char*> arguments(argv, argv + argc);
  static char repetitions[] = "--benchmark_repetitions=7";
  static char interleaving[] = "--benchmark_enable_random_interleaving=true";
  static char aggregatesOnly[] = "--benchmark_display_aggregates_only=true";
  if (!HasFlag(argc, argv, "--benchmark_repetitions")) arguments.push_back(repetitions);
  if (!HasFlag(argc, argv, "--benchmark_enable_random_interleaving")) {
    arguments.push_back(interleaving);
  }
  if (!HasFlag(argc, argv, "--benchmark_display_aggregates_only") &&
      !HasFlag(argc, argv, "--benchmark_report_aggregates_only")) {
    arguments.push_back(aggregatesOnly);
  }
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatios(reporter, pairs);
  PrintShares(reporter, shares);
  return 0;
}

}  // namespace moji::bench
