#include "board/History.h"

#include "storage/HistoryJournal.h"

std::deque<Board> gUndoSteps;
std::deque<Board> gRedoSteps;

namespace {

// The main board goes onto `to`, the newest board of `from` takes its place.
bool StepBetween(std::deque<Board>& from, std::deque<Board>& to) {
  if (from.empty()) return false;
  to.push_back(gMainBoard);
  gMainBoard = from.back();
  from.pop_back();
  return true;
}

}  // namespace

void ClearHistory() {
  gUndoSteps.clear();
  gRedoSteps.clear();
}

void RecordChange(const Board& before) {
  if (gMainBoard == before) return;
  gUndoSteps.push_back(before);
  if (UndoSteps() > kHistoryLimit) gUndoSteps.pop_front();
  gRedoSteps.clear();
  JournalChange(before);
}

bool Undo() {
  if (!StepBetween(gUndoSteps, gRedoSteps)) return false;
  JournalUndo();
  return true;
}

bool Redo() {
  if (!StepBetween(gRedoSteps, gUndoSteps)) return false;
  JournalRedo();
  return true;
}

int UndoSteps() { return static_cast<int>(gUndoSteps.size()); }

int RedoSteps() { return static_cast<int>(gRedoSteps.size()); }
