// Figures of the core's hot paths, on the scripted platform.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "board/CandidateQueries.h"
#include "board/History.h"
#include "generate/FillPhase.h"
#include "generate/GeneratePuzzle.h"
#include "generate/Random.h"
#include "solve/Solve.h"
#include "storage/HistoryFile.h"
#include "storage/HistoryJournal.h"
#include "storage/TextPuzzle.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"
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

// A full history: kHistoryLimit undo steps, each of which changed the first
// `cells` cells of the main board.
void MakeFullHistory(int cells) {
  ClearHistory();
  ClearBoard(gMainBoard);
  for (std::int32_t change = 1; change <= kHistoryLimit; ++change) {
    const Board before = gMainBoard;
    for (int index = 0; index < cells; ++index)
      gMainBoard[static_cast<std::size_t>(index / kBoardSize)][static_cast<std::size_t>(index % kBoardSize)].locked =
          change;
    RecordChange(before);
  }
}

// One undo and one redo, with a full history.
void BM_UndoThenRedo(benchmark::State& state) {
  MakeFullHistory(1);
  for (auto _ : state) {
    Undo();
    Redo();
  }
  ClearHistory();
}
BENCHMARK(BM_UndoThenRedo)->Unit(benchmark::kMicrosecond);

// A command's record of one changed cell, with a full history: the oldest
// step goes.
void BM_RecordChange(benchmark::State& state) {
  MakeFullHistory(1);
  for (auto _ : state) {
    const Board before = gMainBoard;
    ++gMainBoard[1][1].candidate[0];
    RecordChange(before);
  }
  ClearHistory();
}
BENCHMARK(BM_RecordChange)->Unit(benchmark::kMicrosecond);

// The history file's bytes at exit, for steps of one cell and of every cell.
void BM_HistoryBytes(benchmark::State& state) {
  MakeFullHistory(static_cast<int>(state.range(0)));
  std::size_t size = 0;
  for (auto _ : state) size = HistoryBytes(gMainBoard).size();
  state.counters["file_bytes"] = static_cast<double>(size);
  ClearHistory();
}
BENCHMARK(BM_HistoryBytes)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_LoadHistoryBytes(benchmark::State& state) {
  MakeFullHistory(static_cast<int>(state.range(0)));
  const std::string bytes = HistoryBytes(gMainBoard);
  Board atExit{};
  for (auto _ : state)
    if (!LoadHistoryBytes(bytes, atExit)) state.SkipWithError("the history was refused");
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
  ClearHistory();
}
BENCHMARK(BM_LoadHistoryBytes)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// The start-up read of the largest history file, from the disk.
void BM_LoadHistoryFile(benchmark::State& state) {
  TempFolder folder;
  ::setenv("XDG_STATE_HOME", folder.Path("").c_str(), 1);
  MakeFullHistory(kBoardSize * kBoardSize);
  SaveHistory();
  Board atExit{};
  for (auto _ : state)
    if (!LoadHistory(atExit)) state.SkipWithError("the history was refused");
  ::unsetenv("XDG_STATE_HOME");
  ClearHistory();
}
BENCHMARK(BM_LoadHistoryFile)->Unit(benchmark::kMillisecond);

// Recording one change of one cell while the journal is open, with the write
// of its record, at a history of state.range(0) steps: the oldest step goes
// after each, so the length stays. Now and then a record compacts instead
// (a full history's file, written and synced), which the figure includes.
void BM_RecordChangeWithJournal(benchmark::State& state) {
  TempFolder folder;
  ::setenv("XDG_STATE_HOME", folder.Path("").c_str(), 1);
  MakeFullHistory(1);
  while (UndoSteps() > state.range(0)) gUndoSteps.pop_front();
  WatchHistory(JournalStep);
  StartJournal(gMainBoard);
  if (!JournalKeepsSteps()) state.SkipWithError("no journal could be made");
  for (auto _ : state) {
    const Board before = gMainBoard;
    ++gMainBoard[1][2].candidate[0];
    RecordChange(before);
    if (UndoSteps() > state.range(0)) gUndoSteps.pop_front();
  }
  StopJournal(false);
  WatchHistory(nullptr);
  state.counters["journal_bytes"] = static_cast<double>(ReadFileBytes(JournalFilePath()).size());
  ::unsetenv("XDG_STATE_HOME");
  ClearHistory();
}
BENCHMARK(BM_RecordChangeWithJournal)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The compaction of a history of 1,000 steps that each changed every cell: the
// largest history file written and synced, and an empty journal put beside it.
void BM_CompactFullHistory(benchmark::State& state) {
  TempFolder folder;
  ::setenv("XDG_STATE_HOME", folder.Path("").c_str(), 1);
  MakeFullHistory(kBoardSize * kBoardSize);
  StartJournal(gMainBoard);
  for (auto _ : state)
    if (!CompactHistory(gMainBoard)) state.SkipWithError("the history could not be written");
  StopJournal(false);
  state.counters["file_bytes"] = static_cast<double>(ReadFileBytes(HistoryFilePath()).size());
  ::unsetenv("XDG_STATE_HOME");
  ClearHistory();
}
BENCHMARK(BM_CompactFullHistory)->Unit(benchmark::kMillisecond);

// Reading text as a puzzle: a boxed grid of 13 lines, and the most a file can
// hand over, 8193 bytes of a list of one puzzle per line (every line read).
void BM_ReadTextPuzzle(benchmark::State& state) {
  std::string text;
  if (state.range(0) == 0) {
    text = "*-----------*\n|.4.|.2.|..7|\n|3..|.9.|1..|\n|..8|...|.5.|\n|---+---+---|\n|2..|...|6..|\n"
           "|.7.|3.8|.9.|\n|..5|...|..1|\n|---+---+---|\n|.6.|...|8..|\n|..9|.7.|..3|\n|1..|.5.|.4.|\n"
           "*-----------*\n";
  } else {
    while (text.size() <= kTextPuzzleLimit) text += std::string(81, '.') + "\n";
    text.resize(kTextPuzzleLimit + 1);
  }
  PuzzleDigits digits{};
  for (auto _ : state) {
    if (!ReadTextPuzzle(text, digits)) state.SkipWithError("no puzzle");
    benchmark::DoNotOptimize(digits);
  }
}
BENCHMARK(BM_ReadTextPuzzle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
