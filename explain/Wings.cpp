#include "explain/Ratings.h"
#include "explain/Techniques.h"

namespace {

// The open cells that see every cell of the list, the list's own excluded.
CellSet SeenByAll(std::initializer_list<int> cells) {
  CellSet seen = CellSet::All();
  for (int cell : cells) seen &= PeersOf(cell);
  return seen;
}

bool WingStep(const Position& position, Technique technique, int rating, int digit, std::initializer_list<int> cells,
              CellSet targets, Step& step) {
  targets &= position.CellsWith(digit);
  if (targets.Empty()) return false;
  step = Step{};
  step.technique = technique;
  step.rating = rating;
  step.digits = 0;
  for (int cell : cells) {
    step.cells.push_back(cell);
    step.cellDigits.push_back(position.Candidates(cell));
    step.digits |= position.Candidates(cell);
  }
  for (int cell : targets) step.Eliminate(cell, DigitBit(digit));
  return true;
}

}  // namespace

// A pivot {a, b} sees two pincers {a, c} and {b, c}: whichever digit the pivot
// takes, one pincer is c, so no cell that sees both pincers is c.
bool FindXYWing(const Position& position, Step& step) {
  for (int pivot = 0; pivot < kCells; ++pivot) {
    const int pair = position.Candidates(pivot);
    if (DigitCount(pair) != 2) continue;
    for (int first : PeersOf(pivot)) {
      const int firstPair = position.Candidates(first);
      if (DigitCount(firstPair) != 2 || DigitCount(firstPair & pair) != 1) continue;
      const int c = firstPair & ~pair;
      const int needed = (pair & ~firstPair) | c;
      for (int second : PeersOf(pivot)) {
        if (second <= first || position.Candidates(second) != needed) continue;
        if (WingStep(position, Technique::kXYWing, rating::kXYWing, FirstDigit(c), {pivot, first, second},
                     SeenByAll({first, second}), step))
          return true;
      }
    }
  }
  return false;
}

// A pivot {a, b, c} sees pincers {a, c} and {b, c}: one of the three is c, so
// no cell that sees all three is c.
bool FindXYZWing(const Position& position, Step& step) {
  for (int pivot = 0; pivot < kCells; ++pivot) {
    const int triple = position.Candidates(pivot);
    if (DigitCount(triple) != 3) continue;
    for (int first : PeersOf(pivot)) {
      const int firstPair = position.Candidates(first);
      if (DigitCount(firstPair) != 2 || (firstPair & ~triple)) continue;
      for (int second : PeersOf(pivot)) {
        const int secondPair = position.Candidates(second);
        if (second <= first || DigitCount(secondPair) != 2 || (secondPair & ~triple) || secondPair == firstPair)
          continue;
        const int c = firstPair & secondPair;
        if (WingStep(position, Technique::kXYZWing, rating::kXYZWing, FirstDigit(c), {pivot, first, second},
                     SeenByAll({pivot, first, second}), step))
          return true;
      }
    }
  }
  return false;
}

// Two cells {a, b} that do not see each other, joined by a unit where a has
// exactly two places, one seeing each cell: one of the two cells is b.
bool FindWWing(const Position& position, Step& step) {
  for (int first = 0; first < kCells; ++first) {
    const int pair = position.Candidates(first);
    if (DigitCount(pair) != 2) continue;
    for (int second = first + 1; second < kCells; ++second) {
      if (position.Candidates(second) != pair || SeesEachOther(first, second)) continue;
      const CellSet targets = SeenByAll({first, second});
      for (int linked : {FirstDigit(pair), FirstDigit(pair & (pair - 1))}) {
        const int eliminated = FirstDigit(pair & ~DigitBit(linked));
        if ((targets & position.CellsWith(eliminated)).Empty()) continue;
        for (int unit = 0; unit < kUnits; ++unit) {
          const CellSet places = position.PlacesIn(unit, linked);
          if (places.Count() != 2 || places.Has(first) || places.Has(second)) continue;
          const int p = places.First(), q = places.Without(CellSet::Of(p)).First();
          const bool straight = SeesEachOther(p, first) && SeesEachOther(q, second);
          const bool crossed = SeesEachOther(q, first) && SeesEachOther(p, second);
          if (!straight && !crossed) continue;
          WingStep(position, Technique::kWWing, rating::kWWing, eliminated,
                   {first, second, straight ? p : q, straight ? q : p}, targets, step);
          step.digits = pair;
          step.units = {unit};
          return true;
        }
      }
    }
  }
  return false;
}
