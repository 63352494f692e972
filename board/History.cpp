#include "board/History.h"

std::deque<Board> gUndoSteps;
std::deque<Board> gRedoSteps;

namespace {

HistoryWatcher gWatcher = nullptr;

// board goes onto `to`, the newest board of `from` takes its place.
bool StepBetween(std::deque<Board>& from, std::deque<Board>& to, Board& board) {
  if (from.empty()) return false;
  to.push_back(board);
  board = from.back();
  from.pop_back();
  return true;
}

void Tell(HistoryStep step, const Board& before) {
  if (gWatcher) gWatcher(step, before);
}

}  // namespace

void ClearHistory() {
  gUndoSteps.clear();
  gRedoSteps.clear();
}

bool RecordStep(const Board& before, const Board& after) {
  if (after == before) return false;
  gUndoSteps.push_back(before);
  if (UndoSteps() > kHistoryLimit) gUndoSteps.pop_front();
  gRedoSteps.clear();
  return true;
}

bool StepBack(Board& board) { return StepBetween(gUndoSteps, gRedoSteps, board); }

bool StepForward(Board& board) { return StepBetween(gRedoSteps, gUndoSteps, board); }

void RecordChange(const Board& before) {
  if (RecordStep(before, gMainBoard)) Tell(HistoryStep::kChange, before);
}

bool Undo() {
  const Board before = gMainBoard;
  if (!StepBack(gMainBoard)) return false;
  Tell(HistoryStep::kUndo, before);
  return true;
}

bool Redo() {
  const Board before = gMainBoard;
  if (!StepForward(gMainBoard)) return false;
  Tell(HistoryStep::kRedo, before);
  return true;
}

int UndoSteps() { return static_cast<int>(gUndoSteps.size()); }

int RedoSteps() { return static_cast<int>(gRedoSteps.size()); }

void WatchHistory(HistoryWatcher watcher) { gWatcher = watcher; }
