#pragma once
// The undo history of the main board: the undo steps (the main board as it
// was before each change, newest last) and the redo steps (the boards undone,
// newest last). Read in time order, the history is the undo steps, the main
// board, then the redo steps from the newest to the oldest.
//
// A step is a whole copy of the board (4000 bytes). Undo and redo only move
// boards between the two lists, and a change drops the redo steps, so the two
// lists together never hold more than kHistoryLimit boards: at most 4 MB.
// These rules live here alone; whoever replays a history (the journal) goes
// through the procedures below.

#include <deque>

#include "board/Board.h"

constexpr int kHistoryLimit = 1000;  // undo steps kept; beyond it the oldest goes

// The history itself, oldest first. Only the procedures below and the history
// file change them; together they hold at most kHistoryLimit boards.
extern std::deque<Board> gUndoSteps;
extern std::deque<Board> gRedoSteps;

void ClearHistory();

// The rules on any board that the history continues: a step from before to
// after when they differ (all 100 cells, every field compared), which drops
// the redo steps; and undo and redo, which swap board with the newest board
// of the one list and put it on the other. False (nothing changes) when
// there is no step.
bool RecordStep(const Board& before, const Board& after);
bool StepBack(Board& board);
bool StepForward(Board& board);

// The same on the main board, after a command: a change from before to the
// main board; a command that left the board as it was records nothing and
// keeps the redo steps. Each step made tells the history's watcher.
void RecordChange(const Board& before);
bool Undo();
bool Redo();

int UndoSteps();
int RedoSteps();

// What the main board's history did: told, after the history has changed,
// with the main board as it was before.
enum class HistoryStep { kChange, kUndo, kRedo };
using HistoryWatcher = void (*)(HistoryStep step, const Board& before);

// The one watcher of the main board's steps (the main routine's journal), or
// nullptr for none.
void WatchHistory(HistoryWatcher watcher);
