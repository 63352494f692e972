#include "explain/Position.h"

#include "board/CandidateQueries.h"

int Position::PlacedIn(int unit) const {
  int placed = 0;
  for (int index = 0; index < 9; ++index)
    if (int digit = Value(UnitCell(unit, index))) placed |= DigitBit(digit);
  return placed;
}

CellSet Position::OpenCells() const {
  CellSet open;
  for (int cell = 0; cell < kCells; ++cell)
    if (IsOpen(cell)) open.Add(cell);
  return open;
}

int Position::OpenCount() const {
  int open = 0;
  for (int cell = 0; cell < kCells; ++cell) open += IsOpen(cell) ? 1 : 0;
  return open;
}

void Place(Position& position, int cell, int digit) {
  const auto at = static_cast<std::size_t>(cell);
  for (int mask = position.candidates[at]; mask; mask &= mask - 1)
    position.digitCells[static_cast<std::size_t>(FirstDigit(mask))].Remove(cell);
  position.candidates[at] = 0;
  position.value[at] = static_cast<std::uint8_t>(digit);
  CellSet& holders = position.digitCells[static_cast<std::size_t>(digit)];
  for (int peer : holders & PeersOf(cell)) position.candidates[static_cast<std::size_t>(peer)] &=
                                           static_cast<std::uint16_t>(~DigitBit(digit));
  holders = holders.Without(PeersOf(cell));
}

void Eliminate(Position& position, int cell, int digit) {
  position.candidates[static_cast<std::size_t>(cell)] &= static_cast<std::uint16_t>(~DigitBit(digit));
  position.digitCells[static_cast<std::size_t>(digit)].Remove(cell);
}

namespace {

// Candidates given per cell (placed cells: 0), then narrowed by the placed
// digits of each cell's units.
Position PositionOfCandidates(const std::array<std::uint8_t, kCells>& digits,
                              const std::array<std::uint16_t, kCells>& marks) {
  Position position;
  std::array<int, kUnits> placed{};
  for (int cell = 0; cell < kCells; ++cell)
    if (int digit = digits[static_cast<std::size_t>(cell)])
      for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(cell)]) placed[unit] |= DigitBit(digit);
  for (int cell = 0; cell < kCells; ++cell) {
    const auto at = static_cast<std::size_t>(cell);
    position.value[at] = digits[at];
    if (digits[at]) continue;
    int blocked = 0;
    for (std::uint8_t unit : kCellUnits[at]) blocked |= placed[unit];
    position.candidates[at] = static_cast<std::uint16_t>(marks[at] & ~blocked);
    for (int mask = position.candidates[at]; mask; mask &= mask - 1)
      position.digitCells[static_cast<std::size_t>(FirstDigit(mask))].Add(cell);
  }
  return position;
}

}  // namespace

Position PositionOfDigits(const std::array<std::uint8_t, kCells>& digits) {
  std::array<std::uint16_t, kCells> marks;
  marks.fill(kAllDigits);
  return PositionOfCandidates(digits, marks);
}

Position PositionOfMainBoard() {
  std::array<std::uint8_t, kCells> digits{};
  std::array<std::uint16_t, kCells> marks{};
  for (int cell = 0; cell < kCells; ++cell) {
    const Cell& boardCell =
        gMainBoard[static_cast<std::size_t>(ColumnOf(cell))][static_cast<std::size_t>(RowOf(cell))];
    const int mask = CandidateMask(boardCell);
    const auto at = static_cast<std::size_t>(cell);
    if (int digit = FilledDigit(boardCell)) digits[at] = static_cast<std::uint8_t>(digit);
    else marks[at] = static_cast<std::uint16_t>(mask ? mask : kAllDigits);
  }
  return PositionOfCandidates(digits, marks);
}

Contradiction FindContradiction(const Position& position) {
  for (int unit = 0; unit < kUnits; ++unit) {
    int placed = 0;
    for (int index = 0; index < 9; ++index) {
      const int cell = UnitCell(unit, index);
      const int digit = position.Value(cell);
      if (digit == 0) continue;
      if (placed & DigitBit(digit)) return {Contradiction::kTwiceInUnit, cell, unit, digit};
      placed |= DigitBit(digit);
    }
  }
  for (int cell = 0; cell < kCells; ++cell)
    if (position.IsOpen(cell) && position.Candidates(cell) == 0) return {Contradiction::kNoCandidate, cell, -1, 0};
  for (int unit = 0; unit < kUnits; ++unit) {
    const int placed = position.PlacedIn(unit);
    for (int digit = 1; digit <= 9; ++digit)
      if (!(placed & DigitBit(digit)) && position.PlacesIn(unit, digit).Empty())
        return {Contradiction::kNoPlaceInUnit, -1, unit, digit};
  }
  return {};
}
