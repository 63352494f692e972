#include "solve/ErrorCheck.h"

#include "board/CandidateQueries.h"

std::int32_t gErrorColumn = -1;
std::int32_t gErrorRow = -1;

void CheckForErrors() {
  gErrorColumn = -1;
  gErrorRow = -1;
  for (int col = 0; col <= 9; ++col) {
    for (int row = 0; row <= 9; ++row) {
      Cell& cell = gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
      const int digit = FilledDigit(cell);
      if (digit == 0 || cell.locked != 0) continue;
      // The queries count a filled cell's own digit as placed, so the cell is
      // emptied for the question and its digit put back after.
      cell.candidate.fill(0);
      const bool fits = (AllowedMask(col, row) & (1 << (digit - 1))) != 0;
      cell.candidate[static_cast<std::size_t>(digit - 1)] = 1;
      if (!fits) {
        gErrorColumn = col;
        gErrorRow = row;
      }
    }
  }
}
