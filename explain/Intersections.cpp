#include "explain/Ratings.h"
#include "explain/Techniques.h"

namespace {

// The one unit of the given kind (row, column or box) that holds every cell
// of a non-empty set, or -1.
int CommonUnit(CellSet cells, bool (*isKind)(int)) {
  const int first = cells.First();
  for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(first)])
    if (isKind(unit) && cells.Without(UnitSet(unit)).Empty()) return unit;
  return -1;
}

bool IsLine(int unit) { return !IsBoxUnit(unit); }
bool IsBox(int unit) { return IsBoxUnit(unit); }

// A digit whose places in one unit all lie in a second unit leaves the rest
// of the second.
bool FindLocked(const Position& position, Step& step, bool fromBox) {
  for (int unit = 0; unit < kUnits; ++unit) {
    if (IsBoxUnit(unit) != fromBox) continue;
    for (int digit = 1; digit <= 9; ++digit) {
      const CellSet places = position.PlacesIn(unit, digit);
      if (places.Count() < 2) continue;
      const int other = CommonUnit(places, fromBox ? IsLine : IsBox);
      if (other < 0) continue;
      const CellSet removed = position.PlacesIn(other, digit).Without(places);
      if (removed.Empty()) continue;
      step = Step{};
      step.technique = fromBox ? Technique::kPointing : Technique::kClaiming;
      step.rating = fromBox ? rating::kPointing : rating::kClaiming;
      step.digits = DigitBit(digit);
      step.units = {unit, other};
      for (int cell : places) step.cells.push_back(cell);
      for (int cell : removed) step.Eliminate(cell, DigitBit(digit));
      return true;
    }
  }
  return false;
}

}  // namespace

bool FindPointing(const Position& position, Step& step) { return FindLocked(position, step, true); }
bool FindClaiming(const Position& position, Step& step) { return FindLocked(position, step, false); }
