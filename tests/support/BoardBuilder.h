#pragma once
// Small helpers that set up the main board for tests.

#include <string>
#include <string_view>

#include "board/Board.h"

// Cell (col, row) of the main board.
Cell& At(int col, int row);

// Sets exactly the given candidates ("" for none, "14" for 1 and 4); the
// locked flag is left alone.
void SetCandidates(int col, int row, std::string_view digits);

// Loads 81 characters in reading order (row 1 left to right, then row 2, ...):
// '1' to '9' a filled cell, anything else an empty one. Locks filled cells
// when lockFilled is true. Row 0 and column 0 are not touched.
void LoadGrid(std::string_view grid, bool lockFilled = false);

// The main board's puzzle cells as 81 characters, '.' for a cell that is not
// filled.
std::string GridText();

// A valid complete grid, as text for LoadGrid.
std::string SolvedGrid();
