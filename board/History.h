#pragma once
// The undo history of the main board: the undo steps (the main board as it
// was before each change, newest last) and the redo steps (the boards undone,
// newest last). Read in time order, the history is the undo steps, the main
// board, then the redo steps from the newest to the oldest.
//
// A step is a whole copy of the board (4000 bytes). Undo and redo only move
// boards between the two lists, and a change drops the redo steps, so the two
// lists together never hold more than kHistoryLimit boards: at most 4 MB.
// While the history's journal is open (storage/HistoryJournal.h), every
// change, undo and redo is also written to it as it is made.

#include <deque>

#include "board/Board.h"

constexpr int kHistoryLimit = 1000;  // undo steps kept; beyond it the oldest goes

// The history itself, oldest first. Only the procedures below and the history
// file change them; together they hold at most kHistoryLimit boards.
extern std::deque<Board> gUndoSteps;
extern std::deque<Board> gRedoSteps;

void ClearHistory();

// After a command: records a step when the main board differs from `before`
// (all 100 cells, every field compared), and then drops the redo steps. A
// command that left the board as it was records nothing and keeps the redo
// steps.
void RecordChange(const Board& before);

// Undo: the main board becomes the newest undo step, and the board it
// replaces becomes the newest redo step. Redo the other way round. False
// (nothing changes) when there is no step.
bool Undo();
bool Redo();

int UndoSteps();
int RedoSteps();
