// GeneratePuzzle over many seeds per difficulty, on the scripted platform:
// the median, 90th and 99th percentile and the worst time of one run, by the
// wall clock and by the thread's own processor time (which other programs on
// a busy machine disturb less).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <numeric>
#include <vector>

#include "generate/FillPhase.h"
#include "generate/GeneratePuzzle.h"
#include "generate/Random.h"
#include "solve/Solve.h"
#include "tests/support/ScriptedPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[at];
}

double Mean(const std::vector<double>& values) {
  return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Times {
  std::vector<double> wall, processor;
};

void Report(benchmark::State& state, const Times& times) {
  state.counters["median_ms"] = Percentile(times.wall, 0.5);
  state.counters["p90_ms"] = Percentile(times.wall, 0.9);
  state.counters["p99_ms"] = Percentile(times.wall, 0.99);
  state.counters["worst_ms"] = *std::max_element(times.wall.begin(), times.wall.end());
  state.counters["cpu_median_ms"] = Percentile(times.processor, 0.5);
  state.counters["cpu_p99_ms"] = Percentile(times.processor, 0.99);
}

// Runs `run` once per iteration, each with a fresh script and its own seed,
// and gives the time of each run in milliseconds.
template <typename Run>
Times TimeSeededRuns(benchmark::State& state, Run run) {
  Times times;
  std::uint64_t seed = 1000;
  for (auto _ : state) {
    scripted::Reset();
    SeedRandom(seed++);
    const double processorStart = ThreadMilliseconds();
    const auto start = Clock::now();
    run();
    times.wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    times.processor.push_back(ThreadMilliseconds() - processorStart);
  }
  return times;
}

// What a run did, read from the script: each grid is filled under
// "Erstellen..." (one poll and one status text per fill pass), then gets
// "Lösen..." once; the run ends with "Fertig!". Every other poll belongs to
// an attempt of the removal phase.
struct RunCounts {
  double gridsThrownAway = 0;
  double removalAttempts = 0;
};

RunCounts CountRun() {
  const auto grids = std::count(scripted::gScript.statusTexts.begin(), scripted::gScript.statusTexts.end(), kCreatingText);
  const long fillPasses = scripted::gScript.statusSets - static_cast<long>(grids) - 1;
  return {static_cast<double>(grids - 1), static_cast<double>(scripted::gScript.polls - fillPasses)};
}

// One iteration is one whole run with its own seed.
void BM_GeneratePuzzle(benchmark::State& state) {
  const auto difficulty = static_cast<std::int32_t>(state.range(0));
  std::vector<double> thrownAway, attempts;
  Report(state, TimeSeededRuns(state, [&] {
           GeneratePuzzle(difficulty);
           const RunCounts counts = CountRun();
           thrownAway.push_back(counts.gridsThrownAway);
           attempts.push_back(counts.removalAttempts);
         }));
  if (difficulty == 60) {
    state.counters["grids_thrown_away_mean"] = Mean(thrownAway);
    state.counters["grids_thrown_away_max"] = *std::max_element(thrownAway.begin(), thrownAway.end());
    state.counters["attempts_mean"] = Mean(attempts);
    state.counters["attempts_median"] = Percentile(attempts, 0.5);
    state.counters["attempts_p99"] = Percentile(attempts, 0.99);
  }
}
BENCHMARK(BM_GeneratePuzzle)
    ->Arg(10)->Arg(35)->Arg(45)->Arg(50)->Arg(55)->Arg(58)->Arg(60)
    ->Iterations(300)
    ->Unit(benchmark::kMillisecond);

// The fill phase alone, with its passes (each an event poll and a status text).
void BM_FillPhase(benchmark::State& state) {
  std::vector<double> passes;
  const Times times = TimeSeededRuns(state, [&] {
    FillGrid();
    passes.push_back(static_cast<double>(scripted::gScript.polls));
  });
  Report(state, times);
  state.counters["median_passes"] = Percentile(passes, 0.5);
}
BENCHMARK(BM_FillPhase)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
