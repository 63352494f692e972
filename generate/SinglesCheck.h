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

// Sets of puzzle cells as 81-bit masks, bit i for cell index i.
__extension__ using CellMask = unsigned __int128;
constexpr CellMask CellBit(int index) { return CellMask{1} << index; }
constexpr CellMask kAllCells = (CellMask{1} << kPuzzleCells) - 1;
int CellCount(CellMask cells);

// A complete valid grid prepared for repeated singles closures.
class SinglesGrid {
 public:
  // For each digit 1 to 9 (at 0 to 8), the cells that share a column, row or
  // box with a known cell holding it.
  using Seen = std::array<CellMask, 9>;

  explicit SinglesGrid(const Grid& solution);

  Seen SeenBy(CellMask known) const;
  // The cells holding the digit (1 to 9).
  CellMask CellsOf(int digit) const { return cellsOf_[static_cast<std::size_t>(digit - 1)]; }
  // The cells of the cell's column, row and box, itself included.
  static CellMask PeersOf(int index);

  // The cells known once naked singles have been filled from the givens
  // until none is left (the givens included).
  CellMask Reached(CellMask givens) const { return Close(givens, SeenBy(givens), 0); }
  bool Completes(CellMask givens) const { return Reached(givens) == kAllCells; }

  // Reached for the givens without the given cell `index`, where the givens
  // complete and `seen` is SeenBy(givens). Once `index` is known again the
  // givens are all known, so everything is: the result is then all cells at
  // once.
  CellMask ReachedWithout(CellMask givens, const Seen& seen, int index) const;

 private:
  CellMask Close(CellMask known, Seen seen, CellMask enough) const;

  Grid digits_;
  std::array<CellMask, 9> cellsOf_{};  // the cells holding each digit
};

// True exactly when Solve with step budget 81 (and no STOP) completes the
// grid with the given cells emptied. The givens all agree with a complete
// valid grid, so each empty cell keeps its own digit among its allowed ones:
// every single the solver fills is right, what it can fill never shrinks, and
// each sweep fills at least one cell. Whether the board completes therefore
// depends neither on the order of fills nor, for 81 or fewer empty cells, on
// the solver's pass limit; this check fills singles until none is left.
bool CompletesBySingles(const Grid& solution, const CellSet& emptied);
