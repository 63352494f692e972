#include "board/CandidateQueries.h"

#include <array>
#include <bit>

namespace {

// The candidate number of every mask, so that no text is built per query.
constexpr std::array<std::int32_t, 512> kNumberOfMask = [] {
  std::array<std::int32_t, 512> table{};
  for (int mask = 0; mask < 512; ++mask) {
    std::int32_t number = 0;
    for (int digit = 1; digit <= 9; ++digit)
      if (mask & (1 << (digit - 1))) number = number * 10 + digit;
    table[static_cast<std::size_t>(mask)] = number;
  }
  return table;
}();

const Cell* CellAt(int col, int row) {
  if (!OnBoard(col, row)) return nullptr;
  return &gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

int FilledBit(int col, int row) {
  const Cell* cell = CellAt(col, row);
  if (cell == nullptr) return 0;
  int mask = CandidateMask(*cell);
  return std::has_single_bit(static_cast<unsigned>(mask)) ? mask : 0;
}

// First column (or row) of the box with the given stack (or band).
int BoxStart(int stackOrBand) { return 3 * (stackOrBand - 1) + 1; }

}  // namespace

int CandidateMask(const Cell& cell) {
  int mask = 0;
  for (int d = 0; d < 9; ++d)
    if (cell.candidate[static_cast<std::size_t>(d)] == 1) mask |= 1 << d;
  return mask;
}

int FilledDigit(const Cell& cell) {
  unsigned mask = static_cast<unsigned>(CandidateMask(cell));
  return std::has_single_bit(mask) ? std::countr_zero(mask) + 1 : 0;
}

std::int32_t CandidateNumber(int col, int row) {
  const Cell* cell = CellAt(col, row);
  return cell == nullptr ? 0 : kNumberOfMask[static_cast<std::size_t>(CandidateMask(*cell))];
}

int BandOrStack(int index) {
  if (index >= 1 && index <= 3) return 1;
  if (index >= 4 && index <= 6) return 2;
  return 3;
}

int BoxNumber(int col, int row) { return BandOrStack(col) + 3 * (BandOrStack(row) - 1); }

std::string BoxDigits(int col, int row) {
  const int left = BoxStart(BandOrStack(col));
  const int top = BoxStart(BandOrStack(row));
  std::string digits;
  for (int y = top; y < top + 3; ++y)
    for (int x = left; x < left + 3; ++x)
      if (int bit = FilledBit(x, y)) digits += static_cast<char>('1' + std::countr_zero(static_cast<unsigned>(bit)));
  return digits;
}

int AllowedMask(int col, int row) {
  int placed = 0;
  for (int k = 1; k <= 9; ++k) placed |= FilledBit(col, k) | FilledBit(k, row);
  const int left = BoxStart(BandOrStack(col));
  const int top = BoxStart(BandOrStack(row));
  for (int y = top; y < top + 3; ++y)
    for (int x = left; x < left + 3; ++x) placed |= FilledBit(x, y);
  return kAllDigits & ~placed;
}

std::string AllowedDigits(int col, int row) { return DigitText(AllowedMask(col, row)); }

std::string DigitText(int mask) {
  std::string text;
  for (int d = 1; d <= 9; ++d)
    if (mask & (1 << (d - 1))) text += static_cast<char>('0' + d);
  return text;
}
