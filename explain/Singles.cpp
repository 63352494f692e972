#include "explain/Ratings.h"
#include "explain/Techniques.h"

namespace {

void PlaceStep(Step& step, Technique technique, int rating, int unit, int cell, int digit) {
  step = Step{};
  step.technique = technique;
  step.rating = rating;
  step.digits = DigitBit(digit);
  if (unit >= 0) step.units = {unit};
  step.cells = {cell};
  step.placements = {{static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)}};
}

// The units in the order a person scans them for singles: boxes, rows,
// columns.
constexpr std::array<int, kUnits> kScanOrder = [] {
  std::array<int, kUnits> order{};
  for (int i = 0; i < 9; ++i) {
    Item(order, i) = BoxUnit(i + 1);
    Item(order, 9 + i) = RowUnit(i + 1);
    Item(order, 18 + i) = ColumnUnit(i + 1);
  }
  return order;
}();

bool FindHiddenSingle(const Position& position, Step& step, bool inBoxes) {
  for (int unit : kScanOrder) {
    if (IsBoxUnit(unit) != inBoxes) continue;
    const int missing = kAllDigits & ~position.PlacedIn(unit);
    for (int digits = missing; digits; digits &= digits - 1) {
      const int digit = FirstDigit(digits);
      const CellSet places = position.PlacesIn(unit, digit);
      if (places.Count() == 1) {
        PlaceStep(step, Technique::kHiddenSingle, inBoxes ? rating::kHiddenSingleInBox : rating::kHiddenSingleInLine,
                  unit, places.First(), digit);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool FindFullHouse(const Position& position, Step& step) {
  const CellSet openCells = position.OpenCells();
  for (int unit : kScanOrder) {
    const CellSet open = UnitSet(unit) & openCells;
    if (open.Count() != 1) continue;
    const int cell = open.First();
    const int missing = kAllDigits & ~position.PlacedIn(unit);
    if (DigitCount(missing) == 1 && (position.Candidates(cell) & missing)) {
      PlaceStep(step, Technique::kFullHouse, rating::kFullHouse, unit, cell, FirstDigit(missing));
      return true;
    }
  }
  return false;
}

bool FindHiddenSingleInBox(const Position& position, Step& step) { return FindHiddenSingle(position, step, true); }
bool FindHiddenSingleInLine(const Position& position, Step& step) { return FindHiddenSingle(position, step, false); }

bool FindNakedSingle(const Position& position, Step& step) {
  for (int cell = 0; cell < kCells; ++cell)
    if (position.IsOpen(cell) && DigitCount(position.Candidates(cell)) == 1) {
      PlaceStep(step, Technique::kNakedSingle, rating::kNakedSingle, -1, cell, FirstDigit(position.Candidates(cell)));
      return true;
    }
  return false;
}
