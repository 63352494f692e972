#include "solve/Solve.h"

#include <array>
#include <bit>

#include "board/CandidateQueries.h"
#include "platform/CoreServices.h"

namespace {

// The digits placed by filled cells in each column, row and box of the
// puzzle (index 1 to 9). The solver keeps them up to date as it fills, so a
// pass costs a few bit operations instead of a recount of the board.
struct PlacedDigits {
  std::array<int, 10> column{}, row{}, box{};

  void Place(int col, int row_, int bit) {
    column[static_cast<std::size_t>(col)] |= bit;
    row[static_cast<std::size_t>(row_)] |= bit;
    box[static_cast<std::size_t>(BoxNumber(col, row_))] |= bit;
  }
  int Allowed(int col, int row_) const {
    return kAllDigits & ~(column[static_cast<std::size_t>(col)] | row[static_cast<std::size_t>(row_)] |
                          box[static_cast<std::size_t>(BoxNumber(col, row_))]);
  }
};

Cell& MainCell(int col, int row) {
  return gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

}  // namespace

std::int32_t Solve(std::int32_t stepBudget) {
  SetStatusText(kSolvingText);

  // Only a pass's own fill changes the board while the solve runs, so the
  // filled count and the placed digits are counted once and then kept.
  PlacedDigits placed;
  int filled = 0;
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row)
      if (int digit = FilledDigit(MainCell(col, row))) {
        placed.Place(col, row, 1 << (digit - 1));
        ++filled;
      }

  int col = 1, row = 1;
  for (int passes = 1;; ++passes) {
    if (PollForStop()) break;
    const int before = filled;
    Cell& cell = MainCell(col, row);
    if (CandidateMask(cell) == 0) {
      const int allowed = placed.Allowed(col, row);
      if (std::has_single_bit(static_cast<unsigned>(allowed))) {
        cell.candidate[static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(allowed)))] = 1;
        placed.Place(col, row, allowed);
        ++filled;
      }
    }
    if (++col == 10) {
      col = 1;
      if (++row == 10) row = 1;
    }
    if (filled == 81 || passes == kSolvePassLimit ||
        static_cast<std::int64_t>(filled) == static_cast<std::int64_t>(before) + stepBudget)
      break;
  }

  SetStatusText(kDoneText);
  return filled >= 81 ? 1 : 0;
}
