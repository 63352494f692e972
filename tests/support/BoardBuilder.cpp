#include "tests/support/BoardBuilder.h"

#include "board/CandidateQueries.h"

Cell& At(int col, int row) {
  return gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

void SetCandidates(int col, int row, std::string_view digits) {
  Cell& cell = At(col, row);
  cell.candidate.fill(0);
  for (char digit : digits) cell.candidate[static_cast<std::size_t>(digit - '1')] = 1;
}

void LoadGrid(std::string_view grid, bool lockFilled) {
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      const char c = grid[static_cast<std::size_t>((row - 1) * 9 + (col - 1))];
      const bool filled = c >= '1' && c <= '9';
      SetCandidates(col, row, filled ? std::string_view(&c, 1) : std::string_view());
      At(col, row).locked = filled && lockFilled ? 1 : 0;
    }
}

std::string GridText() {
  std::string text;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      const int digit = FilledDigit(At(col, row));
      text += digit ? static_cast<char>('0' + digit) : '.';
    }
  return text;
}

std::string SolvedGrid() {
  std::string text;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) text += static_cast<char>('1' + (row * 3 + row / 3 + col) % 9);
  return text;
}
