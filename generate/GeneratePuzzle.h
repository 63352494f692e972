#pragma once
// The puzzle generator.

#include <cstdint>

// Makes a new puzzle in the main board: a random complete grid (the fill
// phase), then `difficulty` cells (0 to 81) emptied so that the solver still
// completes the puzzle to that grid, which stays in the solution board.
// Givens end locked, emptied cells unlocked; row 0 and column 0 keep their
// candidates. STOP ends either phase: in the fill phase the cells filled so
// far stay as givens; in the removal phase the puzzle with the most emptied
// cells found so far is kept. Ends with "Fertig!".
void GeneratePuzzle(std::int32_t difficulty);
