#include "explain/Combinations.h"
#include "explain/Ratings.h"
#include "explain/Techniques.h"

namespace {

constexpr Technique kNaked[] = {Technique::kNakedPair, Technique::kNakedTriple, Technique::kNakedQuad};
constexpr Technique kHidden[] = {Technique::kHiddenPair, Technique::kHiddenTriple, Technique::kHiddenQuad};
constexpr int kNakedRating[] = {rating::kNakedPair, rating::kNakedTriple, rating::kNakedQuad};
constexpr int kHiddenRating[] = {rating::kHiddenPair, rating::kHiddenTriple, rating::kHiddenQuad};

bool FindNaked(const Position& position, int size, int unit, Step& step) {
  std::array<int, 9> cells{};
  int count = 0;
  for (int index = 0; index < 9; ++index) {
    const int cell = UnitCell(unit, index);
    const int candidates = position.Candidates(cell);
    if (position.IsOpen(cell) && DigitCount(candidates) >= 2 && DigitCount(candidates) <= size)
      Item(cells, count++) = cell;
  }
  if (count < size) return false;
  const CellSet openInUnit = UnitSet(unit) & position.OpenCells();
  return ForEachChoice(count, size, [&](const std::array<int, 4>& chosen) {
    int digits = 0;
    CellSet subset;
    for (int i = 0; i < size; ++i) {
      const int cell = Item(cells, Item(chosen, i));
      digits |= position.Candidates(cell);
      subset.Add(cell);
    }
    if (DigitCount(digits) != size) return false;
    Step found;
    for (int cell : openInUnit.Without(subset))
      if (position.Candidates(cell) & digits) found.Eliminate(cell, position.Candidates(cell) & digits);
    if (found.eliminations.empty()) return false;
    found.technique = Item(kNaked, size - 2);
    found.rating = Item(kNakedRating, size - 2);
    found.digits = digits;
    found.units = {unit};
    for (int cell : subset) found.cells.push_back(cell);
    step = std::move(found);
    return true;
  });
}

bool FindHidden(const Position& position, int size, int unit, Step& step) {
  std::array<int, 9> digits{};
  int count = 0;
  const int missing = kAllDigits & ~position.PlacedIn(unit);
  for (int digit = 1; digit <= 9; ++digit) {
    if (!(missing & DigitBit(digit))) continue;
    const int places = position.PlacesIn(unit, digit).Count();
    if (places >= 2 && places <= size) Item(digits, count++) = digit;
  }
  if (count < size) return false;
  return ForEachChoice(count, size, [&](const std::array<int, 4>& chosen) {
    int digitMask = 0;
    CellSet subset;
    for (int i = 0; i < size; ++i) {
      const int digit = Item(digits, Item(chosen, i));
      digitMask |= DigitBit(digit);
      subset |= position.PlacesIn(unit, digit);
    }
    if (subset.Count() != size) return false;
    Step found;
    for (int cell : subset)
      if (position.Candidates(cell) & ~digitMask) found.Eliminate(cell, position.Candidates(cell) & ~digitMask);
    if (found.eliminations.empty()) return false;
    found.technique = Item(kHidden, size - 2);
    found.rating = Item(kHiddenRating, size - 2);
    found.digits = digitMask;
    found.units = {unit};
    for (int cell : subset) found.cells.push_back(cell);
    step = std::move(found);
    return true;
  });
}

}  // namespace

bool FindNakedSubset(const Position& position, int size, Step& step) {
  for (int unit = 0; unit < kUnits; ++unit)
    if (FindNaked(position, size, unit, step)) return true;
  return false;
}

bool FindHiddenSubset(const Position& position, int size, Step& step) {
  for (int unit = 0; unit < kUnits; ++unit)
    if (FindHidden(position, size, unit, step)) return true;
  return false;
}
