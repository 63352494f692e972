#include "tests/explain/PositionBuilder.h"

#include <algorithm>
#include <sstream>

int CellNamed(std::string_view name) { return CellAt(name[0] - 'A' + 1, name[1] - '0'); }
int Row(int row) { return RowUnit(row); }
int Column(char column) { return ColumnUnit(column - 'A' + 1); }
int Box(int box) { return BoxUnit(box); }

Position OpenPosition() { return PositionOfDigits({}); }

Position PositionOfCells(std::string_view cells) {
  std::istringstream in{std::string(cells)};
  std::array<std::uint8_t, kCells> digits{};
  std::vector<std::string> tokens(kCells);
  for (int cell = 0; cell < kCells; ++cell) {
    in >> tokens[static_cast<std::size_t>(cell)];
    if (tokens[static_cast<std::size_t>(cell)].size() == 1)
      Item(digits, cell) = static_cast<std::uint8_t>(tokens[static_cast<std::size_t>(cell)][0] - '0');
  }
  Position position = PositionOfDigits(digits);
  for (int cell = 0; cell < kCells; ++cell)
    if (tokens[static_cast<std::size_t>(cell)].size() > 1)
      for (int digit = 1; digit <= 9; ++digit)
        if (tokens[static_cast<std::size_t>(cell)].find(static_cast<char>('0' + digit)) == std::string::npos)
          Eliminate(position, cell, digit);
  return position;
}

Position PositionOfLine(std::string_view line) {
  std::array<std::uint8_t, kCells> digits{};
  for (int cell = 0; cell < kCells; ++cell) {
    const char c = line[static_cast<std::size_t>(cell)];
    Item(digits, cell) = static_cast<std::uint8_t>(c >= '1' && c <= '9' ? c - '0' : 0);
  }
  return PositionOfDigits(digits);
}

void SetCandidates(Position& position, std::string_view cell, std::string_view digits) {
  for (int digit = 1; digit <= 9; ++digit)
    if (digits.find(static_cast<char>('0' + digit)) == std::string_view::npos) Eliminate(position, CellNamed(cell), digit);
}

void PlacesOnly(Position& position, int unit, int digit, const std::vector<std::string_view>& cells) {
  for (int index = 0; index < 9; ++index) {
    const int cell = UnitCell(unit, index);
    if (std::none_of(cells.begin(), cells.end(), [&](std::string_view name) { return CellNamed(name) == cell; }))
      Eliminate(position, cell, digit);
  }
}

std::string Removals(const Step& step) {
  std::vector<Elimination> removals = step.eliminations;
  std::sort(removals.begin(), removals.end(), [](const Elimination& a, const Elimination& b) { return a.cell < b.cell; });
  std::string text;
  for (const Elimination& removal : removals) {
    if (!text.empty()) text += ' ';
    text += static_cast<char>('A' + ColumnOf(removal.cell) - 1);
    text += static_cast<char>('0' + RowOf(removal.cell));
    text += ':';
    for (int digits = removal.digits; digits; digits &= digits - 1) text += static_cast<char>('0' + FirstDigit(digits));
  }
  return text;
}
