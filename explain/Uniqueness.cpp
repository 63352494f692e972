#include "explain/Ratings.h"
#include "explain/Techniques.h"

// Both rest on the puzzle having exactly one solution: a pattern of open
// cells that could take its digits in two ways would give it two.

namespace {

void RectangleStep(const Position& position, const std::array<int, 4>& corners, int pair, int type, Step& step) {
  step = Step{};
  step.technique = Technique::kUniqueRectangle;
  step.rating = rating::kUniqueRectangle + (type == 1 ? 0 : 1);
  step.variant = type;
  step.digits = pair;
  step.cells.assign(corners.begin(), corners.end());
  for (int corner : corners) step.cellDigits.push_back(position.Candidates(corner));
}

// Four open cells at the corners of a rectangle over two boxes, all holding
// the digits a and b: if they held nothing else, a and b could swap.
bool RectangleOf(const Position& position, const std::array<int, 4>& corners, int pair, Step& step) {
  std::array<int, 4> floor{}, roof{};
  int floors = 0, roofs = 0;
  for (int corner : corners) {
    if (position.Candidates(corner) == pair) Item(floor, floors++) = corner;
    else Item(roof, roofs++) = corner;
  }
  if (floors == 3) {  // type 1: the fourth corner is neither a nor b
    const int corner = Item(roof, 0);
    RectangleStep(position, corners, pair, 1, step);
    step.Eliminate(corner, pair);
    return true;
  }
  if (floors != 2) return false;
  const int r1 = Item(roof, 0), r2 = Item(roof, 1);
  const int extra1 = position.Candidates(r1) & ~pair, extra2 = position.Candidates(r2) & ~pair;
  // Type 2: both roof corners have the same one extra digit; one of them holds it.
  if (extra1 == extra2 && DigitCount(extra1) == 1) {
    const CellSet targets = position.CellsWith(FirstDigit(extra1)) & PeersOf(r1) & PeersOf(r2);
    if (!targets.Empty()) {
      RectangleStep(position, corners, pair, 2, step);
      step.digits |= extra1;
      for (int cell : targets) step.Eliminate(cell, extra1);
      return true;
    }
  }
  // Type 4: in a unit of both roof corners one of the pair has no other
  // place, so the roof holds it and neither roof corner is the other.
  for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(r1)]) {
    if (!UnitSet(unit).Has(r2)) continue;
    for (int kept : {FirstDigit(pair), FirstDigit(pair & (pair - 1))}) {
      const CellSet places = position.PlacesIn(unit, kept);
      if (places.Count() != 2) continue;
      RectangleStep(position, corners, pair, 4, step);
      step.units = {unit};
      step.Eliminate(r1, pair & ~DigitBit(kept));
      step.Eliminate(r2, pair & ~DigitBit(kept));
      return true;
    }
  }
  return false;
}

}  // namespace

bool FindUniqueRectangle(const Position& position, Step& step) {
  for (int r1 = 1; r1 <= 9; ++r1)
    for (int r2 = r1 + 1; r2 <= 9; ++r2)
      for (int c1 = 1; c1 <= 9; ++c1)
        for (int c2 = c1 + 1; c2 <= 9; ++c2) {
          const bool oneBand = (r1 - 1) / 3 == (r2 - 1) / 3, oneStack = (c1 - 1) / 3 == (c2 - 1) / 3;
          if (oneBand == oneStack) continue;
          const std::array<int, 4> corners{CellAt(c1, r1), CellAt(c2, r1), CellAt(c1, r2), CellAt(c2, r2)};
          int common = kAllDigits;
          for (int corner : corners) common &= position.Candidates(corner);
          if (DigitCount(common) < 2) continue;
          for (int a = common; a; a &= a - 1)
            for (int b = a & (a - 1); b; b &= b - 1) {
              const int pair = (a & -a) | (b & -b);
              if (RectangleOf(position, corners, pair, step)) return true;
            }
        }
  return false;
}

// Every open cell but one has two candidates, and each digit has two places
// or none in every unit but the three of that cell, where one digit has
// three: were it not that digit, the puzzle would have no solution or two.
bool FindBugPlusOne(const Position& position, Step& step) {
  int third = -1;
  for (int cell = 0; cell < kCells; ++cell) {
    if (!position.IsOpen(cell)) continue;
    const int count = DigitCount(position.Candidates(cell));
    if (count == 2) continue;
    if (count != 3 || third >= 0) return false;
    third = cell;
  }
  if (third < 0) return false;
  int digit = 0;
  for (int unit = 0; unit < kUnits; ++unit)
    for (int d = 1; d <= 9; ++d) {
      const int places = position.PlacesIn(unit, d).Count();
      if (places == 0 || places == 2) continue;
      if (places != 3 || !UnitSet(unit).Has(third) || (digit && digit != d)) return false;
      digit = d;
    }
  if (!digit) return false;
  for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(third)])
    if (position.PlacesIn(unit, digit).Count() != 3) return false;
  step = Step{};
  step.technique = Technique::kBugPlusOne;
  step.rating = rating::kBugPlusOne;
  step.digits = DigitBit(digit);
  step.cells = {third};
  step.placements = {{static_cast<std::uint8_t>(third), static_cast<std::uint8_t>(digit)}};
  return true;
}
