#include "explain/Ratings.h"
#include "explain/Techniques.h"

namespace {

// The unit's two places of a digit, when it has exactly two.
bool TwoPlaces(const Position& position, int unit, int digit, int& first, int& second) {
  const CellSet places = position.PlacesIn(unit, digit);
  if (places.Count() != 2) return false;
  first = places.First();
  second = places.Without(CellSet::Of(first)).First();
  return true;
}

// The step that takes the digit from every cell seeing both ends, when any.
bool EndsStep(const Position& position, Technique technique, int rating, int digit, int end1, int end2,
              std::initializer_list<int> cells, std::initializer_list<int> units, Step& step) {
  const CellSet targets = position.CellsWith(digit) & PeersOf(end1) & PeersOf(end2);
  if (targets.Empty()) return false;
  step = Step{};
  step.technique = technique;
  step.rating = rating;
  step.digits = DigitBit(digit);
  step.cells = cells;
  step.units = units;
  for (int cell : targets) step.Eliminate(cell, DigitBit(digit));
  return true;
}

}  // namespace

// Two parallel lines with exactly two places each, one place of each on a
// common cross line: one of the two other places holds the digit.
bool FindSkyscraper(const Position& position, Step& step) {
  for (int digit = 1; digit <= 9; ++digit)
    for (int kind = 0; kind < 2; ++kind) {
      const int firstUnit = kind == 0 ? RowUnit(1) : ColumnUnit(1);
      for (int i = 0; i < 9; ++i)
        for (int j = i + 1; j < 9; ++j) {
          int a1, b1, a2, b2;
          if (!TwoPlaces(position, firstUnit + i, digit, a1, b1) || !TwoPlaces(position, firstUnit + j, digit, a2, b2))
            continue;
          auto cross = [kind](int cell) { return kind == 0 ? ColumnOf(cell) : RowOf(cell); };
          for (int turn = 0; turn < 4; ++turn) {
            const int base1 = turn & 1 ? b1 : a1, top1 = turn & 1 ? a1 : b1;
            const int base2 = turn & 2 ? b2 : a2, top2 = turn & 2 ? a2 : b2;
            if (cross(base1) != cross(base2) || cross(top1) == cross(top2)) continue;
            if (EndsStep(position, Technique::kSkyscraper, rating::kSkyscraper, digit, top1, top2,
                         {base1, top1, base2, top2}, {firstUnit + i, firstUnit + j}, step))
              return true;
          }
        }
    }
  return false;
}

// A row and a column with exactly two places each, one of each in the same
// box: one of their two other places holds the digit.
bool FindTwoStringKite(const Position& position, Step& step) {
  for (int digit = 1; digit <= 9; ++digit)
    for (int row = 1; row <= 9; ++row)
      for (int column = 1; column <= 9; ++column) {
        int r1, r2, c1, c2;
        if (!TwoPlaces(position, RowUnit(row), digit, r1, r2) ||
            !TwoPlaces(position, ColumnUnit(column), digit, c1, c2))
          continue;
        for (int turn = 0; turn < 4; ++turn) {
          const int rowBox = turn & 1 ? r2 : r1, rowEnd = turn & 1 ? r1 : r2;
          const int columnBox = turn & 2 ? c2 : c1, columnEnd = turn & 2 ? c1 : c2;
          if (BoxOf(rowBox) != BoxOf(columnBox) || rowBox == columnBox || rowBox == columnEnd ||
              rowEnd == columnBox || rowEnd == columnEnd)
            continue;
          if (EndsStep(position, Technique::kTwoStringKite, rating::kTwoStringKite, digit, rowEnd, columnEnd,
                       {rowEnd, rowBox, columnBox, columnEnd}, {RowUnit(row), ColumnUnit(column), BoxUnit(BoxOf(rowBox))},
                       step))
            return true;
        }
      }
  return false;
}
