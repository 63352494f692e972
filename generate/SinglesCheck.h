#pragma once
// The generator's quick test of a trial puzzle: a complete valid grid with
// some cells emptied, completed by naked singles alone.

#include <array>
#include <cstdint>

// The 81 puzzle cells by index in reading order: 9 (row - 1) + (col - 1).
constexpr int kPuzzleCells = 81;
constexpr int CellIndex(int col, int row) { return 9 * (row - 1) + (col - 1); }
constexpr int ColumnOfIndex(int index) { return index % 9 + 1; }
constexpr int RowOfIndex(int index) { return index / 9 + 1; }

using Grid = std::array<std::uint8_t, kPuzzleCells>;  // the digit 1 to 9 of every cell
using CellSet = std::array<bool, kPuzzleCells>;       // true for the emptied cells

// True exactly when Solve with step budget 81 (and no STOP) completes the
// grid with the given cells emptied. The givens all agree with a complete
// valid grid, so each empty cell keeps its own digit among its allowed ones:
// every single the solver fills is right, what it can fill never shrinks, and
// each sweep fills at least one cell. Whether the board completes therefore
// depends neither on the order of fills nor, for 81 or fewer empty cells, on
// the solver's pass limit; this check fills singles until none is left.
bool CompletesBySingles(const Grid& solution, const CellSet& emptied);
