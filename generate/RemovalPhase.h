#pragma once
// The generator's removal phase: which cells of the complete grid to empty so
// that the solver still completes the puzzle.

#include <cstdint>

#include "generate/SinglesCheck.h"

// How many random trials run before the search takes over. One in 8 trials
// is accepted at difficulty 45, one in about 1,000 at 52, one in 22,000 at
// 54, one in 400,000 at 55, and at 58 or more hardly any.
constexpr int kRandomTrialLimit = 1000;

// Above this difficulty the random trials would hardly ever find a puzzle,
// so the search starts at once.
constexpr int kRandomTrialMaxDifficulty = 52;

// How many cells the search tries to empty on one grid before it gives the
// grid up for a fresh one. At difficulty 60 the search needs about 8,500
// attempts on a median grid; about one grid in eight takes more than 25,000,
// and a fresh grid is then quicker on the whole.
constexpr long kSearchAttemptLimit = 25000;

// One step of the search in this many that leaves fewer empty cells is kept
// rather than undone, so that the search does not stay on one set of 59.
constexpr int kKeepWorseStepOdds = 30;

enum class RemovalResult { Found, NotFound, Stopped };

// Up to kRandomTrialLimit trials: empty `difficulty` random cells (column,
// then row, drawn again while the cell is already empty) and accept when the
// solver would complete the puzzle. Polls one event per trial. emptied holds
// the accepted cells when Found, and no cell otherwise.
RemovalResult RandomTrials(const Grid& solution, int difficulty, CellSet& emptied);

// Empties cells one at a time in random order, keeping each only while the
// solver still completes the puzzle; when no further cell can go, puts one
// emptied cell back and empties others in its place. Polls one event per
// attempt (one singles closure). Ends when `difficulty` cells are empty
// (Found), on STOP (Stopped), or after attemptLimit attempts (NotFound).
// emptied then holds the accepted cells, or the most cells found that the
// solver completes.
RemovalResult SearchEmptiedCells(const Grid& solution, int difficulty, CellSet& emptied, long attemptLimit);
