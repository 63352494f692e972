#pragma once
// The cell record and the boards of the program.
//
// A board is indexed [column][row], each index 0 to 9. Columns and rows 1 to 9
// hold the puzzle (column 1 is "A" at the left, row 1 the top row); index 0 is
// stored, saved and loaded but is not part of the puzzle.

#include <array>
#include <cstdint>

// Ten 32-bit fields: the candidate flags for the digits 1 to 9, then the
// locked flag (a given, "sichern"). A flag counts as set only when it holds
// exactly 1; the program itself stores 0 or 1, a loaded file may hold anything.
struct Cell {
  std::array<std::int32_t, 9> candidate{};  // candidate[d - 1] is the flag of digit d
  std::int32_t locked = 0;

  friend bool operator==(const Cell&, const Cell&) = default;
};

constexpr int kCellFields = 10;  // field 0 to 8: candidate flags, field 9: locked flag
constexpr int kBoardSize = 10;   // indices 0 to 9 in both dimensions

// Field 0 to 9 of a cell, in the order of the record.
std::int32_t& CellField(Cell& cell, int field);

using Board = std::array<std::array<Cell, kBoardSize>, kBoardSize>;

// The main board is shown, edited, solved, checked, saved and loaded. The trial
// board and the solution board are the generator's work space.
extern Board gMainBoard;
extern Board gTrialBoard;
extern Board gSolutionBoard;

// True for the indices a board has (0 to 9).
constexpr bool OnBoard(int col, int row) {
  return col >= 0 && col < kBoardSize && row >= 0 && row < kBoardSize;
}

// Every field of every cell of the board becomes 0.
void ClearBoard(Board& board);
