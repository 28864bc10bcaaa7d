#pragma once
// A main for benchmark programs that measure our path beside a baseline in the same process:
// runs every benchmark several times, interleaved, keeps the median of each and prints the
// ratio of each pair. Timings of different processes vary too much to be compared; ratios of
// medians taken in one run are the figures that mean something.

#include <benchmark/benchmark.h>

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
  double Goal = 0.0;     ///< the most (or, with AtLeast, the least) the ratio should be
  bool AtLeast = false;
};

/// The console output, and the median real time per iteration of every benchmark in seconds
/// (its single run when it ran once).
class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.str();
      const double seconds =
          run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[name] = seconds;
      } else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) {
        medians_.emplace(name, seconds);
      }
    }
  }

  /// The median of a benchmark, or a negative value when it did not run.
  double Median(const std::string& name) const {
    const auto found = medians_.find(name);
    return found == medians_.end() ? -1.0 : found->second;
  }

 private:
  std::map<std::string, double> medians_;
};

/// Whether the command line already sets the flag `--name=...`.
inline bool HasFlag(int argc, char** argv, const char* name) {
  const std::size_t length = std::strlen(name);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], name, length) == 0) return true;
  }
  return false;
}

/// Prints "ratio <label> = r (goal <= g: met)" for every pair whose two benchmarks ran.
inline void PrintRatios(const MedianReporter& reporter, const std::vector<RatioPair>& pairs) {
  for (const RatioPair& pair : pairs) {
    const double ours = reporter.Median(pair.Ours);
    const double baseline = reporter.Median(pair.Baseline);
    if (ours <= 0.0 || baseline <= 0.0) continue;
    const double ratio = ours / baseline;
    const bool met = pair.AtLeast ? ratio >= pair.Goal : ratio <= pair.Goal;
    std::printf("ratio %s = %.3g (goal %s %.3g: %s)\n", pair.Label.c_str(), ratio,
                pair.AtLeast ? ">=" : "<=", pair.Goal, met ? "met" : "NOT met");
  }
  std::fflush(stdout);
}

/// Runs the registered benchmarks, by default 7 times each in random order, and prints the
/// ratios. Flags given on the command line win over these defaults. A missed goal is printed,
/// never turned into a failing exit status: a slow machine is no fault of the program.
inline int RunWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs) {
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
  return 0;
}

}  // namespace moji::bench
