#pragma once
// The puzzle generator.

#include <cstdint>

// Makes a new puzzle in the main board: a random complete grid (the fill
// phase), then exactly `difficulty` cells emptied so that the solver still
// completes the puzzle to that grid, which stays in the solution board.
// Givens end locked, emptied cells unlocked; row 0 and column 0 keep their
// candidates. Ends with "Fertig!".
//
// `difficulty` is clamped to 0 to 81. Every value from 0 to 61 ends by
// itself: up to 60 in a few milliseconds, 61 in about 50 ms on a median run
// (under half a second at worst in measurements). From 62 on, the search has never
// found such a puzzle on any grid in measurements, and the call goes on
// with fresh grids until STOP. The difficulty dialog offers 10 to 60 only.
//
// STOP ends either phase: in the fill phase the cells filled so far stay as
// givens; in the removal phase the puzzle with the most emptied cells found
// so far is kept (fewer than `difficulty`).
void GeneratePuzzle(std::int32_t difficulty);
