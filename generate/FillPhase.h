#pragma once
// The generator's fill phase: a random complete valid grid, built cell by
// cell in reading order in the main board's puzzle cells.

#include <array>
#include <cstdint>

#include "generate/SinglesCheck.h"

// The digits placed so far, with the digits each column, row and box holds.
// Digits are only ever placed where they are allowed, so no unit holds a
// digit twice and the masks can simply be cleared again.
struct FillState {
  std::array<std::uint8_t, kPuzzleCells> digit{};  // 0 for an empty cell
  std::array<unsigned, 9> column{}, row{}, box{};
  int filled = 0;                       // cells holding a digit
  int fillColumn = 1, fillRow = 1;      // the fill position, 1 to 9 each
  int lastDeadEnd = 0;                  // the filled count at the previous dead end

  // The digits the cell at index may take: those no filled cell of its
  // column, row or box holds, its own digit included.
  unsigned Allowed(int index) const;
  void Put(int index, int digitToPlace);
  void Clear(int index);
  void ClearAll();
};

// The digit to place: the drawn digit when it is allowed, else the first of
// 3, 6, 8, 2, 1, 5, 9, 4, 7 that is allowed; 0 when nothing is allowed.
int ChooseDigit(int drawn, unsigned allowed);

// Places one digit at the fill position. At a dead end (nothing allowed) the
// cell is cleared; a dead end at the same filled count as the one before
// (filledThisPass, counted at the start of the pass) asks for a restart by
// returning false, any other jumps back to column 2 of the row and draws again.
bool PlaceDigit(FillState& state, int filledThisPass);

// Runs fill passes, one event poll and "Erstellen..." in each, restarting
// from an empty grid when PlaceDigit asks for it, until a pass counts 81
// filled cells. Writes the grid into the main board's puzzle cells, each
// filled cell locked. Returns false when STOP ended the fill early; the main
// board then holds the cells filled so far.
bool FillGrid();

// The digits of the main board's puzzle cells (0 where not filled).
Grid MainBoardDigits();
