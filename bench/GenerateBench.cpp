// GeneratePuzzle over many seeds per difficulty, on the scripted platform:
// the median, 90th and 99th percentile and the worst time of one run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "generate/FillPhase.h"
#include "generate/GeneratePuzzle.h"
#include "generate/Random.h"
#include "tests/support/ScriptedPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
  return values[at];
}

void Report(benchmark::State& state, const std::vector<double>& milliseconds) {
  state.counters["median_ms"] = Percentile(milliseconds, 0.5);
  state.counters["p90_ms"] = Percentile(milliseconds, 0.9);
  state.counters["p99_ms"] = Percentile(milliseconds, 0.99);
  state.counters["worst_ms"] = *std::max_element(milliseconds.begin(), milliseconds.end());
}

// Runs `run` once per iteration, each with a fresh script and its own seed,
// and gives the time of each run in milliseconds.
template <typename Run>
std::vector<double> TimeSeededRuns(benchmark::State& state, Run run) {
  std::vector<double> milliseconds;
  std::uint64_t seed = 1000;
  for (auto _ : state) {
    scripted::Reset();
    SeedRandom(seed++);
    const auto start = Clock::now();
    run();
    milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return milliseconds;
}

// One iteration is one whole run with its own seed.
void BM_GeneratePuzzle(benchmark::State& state) {
  const auto difficulty = static_cast<std::int32_t>(state.range(0));
  Report(state, TimeSeededRuns(state, [&] { GeneratePuzzle(difficulty); }));
}
BENCHMARK(BM_GeneratePuzzle)
    ->Arg(10)->Arg(35)->Arg(45)->Arg(50)->Arg(55)->Arg(58)->Arg(60)
    ->Iterations(300)
    ->Unit(benchmark::kMillisecond);

// The fill phase alone, with its passes (each an event poll and a status text).
void BM_FillPhase(benchmark::State& state) {
  std::vector<double> passes;
  const std::vector<double> milliseconds = TimeSeededRuns(state, [&] {
    FillGrid();
    passes.push_back(static_cast<double>(scripted::gScript.polls));
  });
  Report(state, milliseconds);
  state.counters["median_passes"] = Percentile(passes, 0.5);
}
BENCHMARK(BM_FillPhase)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
