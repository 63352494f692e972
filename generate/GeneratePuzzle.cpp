#include "generate/GeneratePuzzle.h"

#include <algorithm>

#include "board/CandidateQueries.h"
#include "generate/FillPhase.h"
#include "generate/RemovalPhase.h"
#include "platform/CoreServices.h"
#include "solve/Solve.h"

namespace {

// The puzzle with the most emptied cells found so far in this run, and the
// solution it belongs to.
struct BestPuzzle {
  Board solution{};
  CellSet emptied{};
  int count = -1;  // -1: none yet
};

// The solution board takes the main board whole, every cell locked.
void KeepSolution() {
  gSolutionBoard = gMainBoard;
  for (auto& column : gSolutionBoard)
    for (Cell& cell : column) cell.locked = 1;
}

// The main board becomes the solution with the chosen cells emptied; the
// trial board keeps a copy of that puzzle.
void WritePuzzle(const BestPuzzle& puzzle) {
  gSolutionBoard = puzzle.solution;
  gMainBoard = gSolutionBoard;
  for (int index = 0; index < kPuzzleCells; ++index)
    if (puzzle.emptied[static_cast<std::size_t>(index)])
      gMainBoard[static_cast<std::size_t>(ColumnOfIndex(index))][static_cast<std::size_t>(RowOfIndex(index))] = Cell{};
  gTrialBoard = gMainBoard;
}

// Every cell without a candidate, row 0 and column 0 included, is unlocked.
void UnlockEmptyCells() {
  for (int col = 0; col <= 9; ++col)
    for (int row = 0; row <= 9; ++row)
      if (CandidateNumber(col, row) == 0) gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].locked = 0;
}

// Fills a grid and chooses the cells to empty in it: random trials first (on
// the first grid only; later grids come when they have failed), then the
// search. Keeps the best puzzle seen. Returns false while another grid is
// needed.
bool TryGrid(int difficulty, bool firstGrid, BestPuzzle& best, bool& stopped) {
  if (!FillGrid()) {
    stopped = true;
    return true;
  }
  KeepSolution();
  SetStatusText(kSolvingText);
  const Grid solution = MainBoardDigits();
  CellSet emptied{};
  RemovalResult result = firstGrid && difficulty <= kRandomTrialMaxDifficulty ? RandomTrials(solution, difficulty, emptied)
                                                                               : RemovalResult::NotFound;
  if (result == RemovalResult::NotFound)
    result = SearchEmptiedCells(solution, difficulty, emptied, kSearchAttemptLimit);
  const auto count = static_cast<int>(std::count(emptied.begin(), emptied.end(), true));
  if (count > best.count) best = {gSolutionBoard, emptied, count};
  stopped = result == RemovalResult::Stopped;
  return result != RemovalResult::NotFound;
}

}  // namespace

void GeneratePuzzle(std::int32_t difficulty) {
  difficulty = std::clamp(difficulty, 0, kPuzzleCells);
  BestPuzzle best;
  bool stopped = false;
  for (bool firstGrid = true; !TryGrid(difficulty, firstGrid, best, stopped); firstGrid = false) {
  }
  // Stopped while the first grid was still being filled: the main board keeps
  // the cells filled so far.
  if (best.count >= 0) WritePuzzle(best);
  UnlockEmptyCells();
  SetStatusText(kDoneText);
}
