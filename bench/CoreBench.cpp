// Figures of the core's hot paths, on the scripted platform.
#include <benchmark/benchmark.h>

#include <vector>

#include "board/CandidateQueries.h"
#include "generate/FillPhase.h"
#include "generate/GeneratePuzzle.h"
#include "generate/Random.h"
#include "solve/Solve.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TextRules.h"

namespace {

// A board the solver cannot complete: it runs all 81 x 81 passes.
void BM_SolveUnsolvableBoard(benchmark::State& state) {
  ClearBoard(gMainBoard);
  SetCandidates(1, 1, "5");
  for (auto _ : state) {
    scripted::Reset();
    benchmark::DoNotOptimize(Solve(81));
  }
  state.counters["passes"] = static_cast<double>(scripted::gScript.polls);
}
BENCHMARK(BM_SolveUnsolvableBoard)->Unit(benchmark::kMicrosecond);

// The same board through the plain procedure that recounts the board through
// candidate texts in every pass, for comparison.
void BM_SolveUnsolvableBoardPlainProcedure(benchmark::State& state) {
  ClearBoard(gMainBoard);
  SetCandidates(1, 1, "5");
  for (auto _ : state) {
    scripted::Reset();
    benchmark::DoNotOptimize(text_rules::Solve(81));
  }
}
BENCHMARK(BM_SolveUnsolvableBoardPlainProcedure)->Unit(benchmark::kMicrosecond);

// A full solve of a generated puzzle with 55 empty cells.
void BM_SolvePuzzle(benchmark::State& state) {
  scripted::Reset();
  SeedRandom(4);
  GeneratePuzzle(55);
  const Board puzzle = gMainBoard;
  for (auto _ : state) {
    gMainBoard = puzzle;
    scripted::Reset();
    if (Solve(81) != 1) state.SkipWithError("the puzzle was not solved");
  }
}
BENCHMARK(BM_SolvePuzzle)->Unit(benchmark::kMicrosecond);

void BM_CandidateNumber(benchmark::State& state) {
  LoadGrid(SolvedGrid());
  SetCandidates(4, 4, "1479");
  for (auto _ : state)
    for (int col = 1; col <= 9; ++col)
      for (int row = 1; row <= 9; ++row) benchmark::DoNotOptimize(CandidateNumber(col, row));
  state.SetItemsProcessed(state.iterations() * 81);
}
BENCHMARK(BM_CandidateNumber);

void BM_AllowedDigits(benchmark::State& state) {
  std::string grid = SolvedGrid();
  for (std::size_t i = 0; i < 81; i += 2) grid[i] = '.';
  LoadGrid(grid);
  for (auto _ : state)
    for (int col = 1; col <= 9; ++col)
      for (int row = 1; row <= 9; ++row) benchmark::DoNotOptimize(AllowedDigits(col, row));
  state.SetItemsProcessed(state.iterations() * 81);
}
BENCHMARK(BM_AllowedDigits);

// The generator's check of one trial: 55 random cells emptied from a grid.
void BM_CompletesBySingles(benchmark::State& state) {
  SeedRandom(5);
  scripted::Reset();
  FillGrid();
  const Grid solution = MainBoardDigits();
  std::vector<CellSet> trials(64);
  for (CellSet& trial : trials)
    for (int emptied = 0; emptied < 55;) {
      auto& cell = trial[static_cast<std::size_t>(RandomDraw(80))];
      if (!cell) {
        cell = true;
        ++emptied;
      }
    }
  std::size_t next = 0;
  for (auto _ : state) benchmark::DoNotOptimize(CompletesBySingles(solution, trials[next++ % trials.size()]));
}
BENCHMARK(BM_CompletesBySingles);

}  // namespace

BENCHMARK_MAIN();
