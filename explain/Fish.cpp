#include "explain/Combinations.h"
#include "explain/Ratings.h"
#include "explain/Techniques.h"

namespace {

constexpr Technique kPlain[] = {Technique::kXWing, Technique::kSwordfish, Technique::kJellyfish};
constexpr Technique kFinned[] = {Technique::kFinnedXWing, Technique::kFinnedSwordfish, Technique::kFinnedJellyfish};
constexpr int kPlainRating[] = {rating::kXWing, rating::kSwordfish, rating::kJellyfish};
constexpr int kFinnedRating[] = {rating::kFinnedXWing, rating::kFinnedSwordfish, rating::kFinnedJellyfish};

// One digit seen along base lines (rows, or columns when crosswise): for each
// base line 1 to 9 the mask of the cross lines where the digit is a candidate.
struct FishLines {
  int digit;
  bool crosswise;  // base lines are columns, cover lines rows
  std::array<int, 9> places{};

  FishLines(const Position& position, int digit_, bool crosswise_) : digit(digit_), crosswise(crosswise_) {
    for (int cell : position.CellsWith(digit)) {
      const int base = crosswise ? ColumnOf(cell) : RowOf(cell);
      const int cross = crosswise ? RowOf(cell) : ColumnOf(cell);
      Item(places, base - 1) |= 1 << (cross - 1);
    }
  }
  int CellOf(int base, int cross) const { return crosswise ? CellAt(base, cross) : CellAt(cross, base); }
  int BaseUnit(int base) const { return crosswise ? ColumnUnit(base) : RowUnit(base); }
  int CrossUnit(int cross) const { return crosswise ? RowUnit(cross) : ColumnUnit(cross); }
};

void DescribeFish(const FishLines& lines, const std::array<int, 4>& baseLines, int size, int cover, Step& step) {
  step.digits = DigitBit(lines.digit);
  for (int i = 0; i < size; ++i) step.units.push_back(lines.BaseUnit(Item(baseLines, i) + 1));
  for (int cross = 1; cross <= 9; ++cross)
    if (cover & (1 << (cross - 1))) step.units.push_back(lines.CrossUnit(cross));
  for (int i = 0; i < size; ++i) {
    const int base = Item(baseLines, i) + 1;
    for (int cross = 1; cross <= 9; ++cross)
      if (Item(lines.places, base - 1) & cover & (1 << (cross - 1))) step.cells.push_back(lines.CellOf(base, cross));
  }
}

bool FindPlainFish(const FishLines& lines, int size, Step& step) {
  std::array<int, 9> bases{};
  int count = 0;
  for (int base = 0; base < 9; ++base) {
    const int places = DigitCount(Item(lines.places, base));
    if (places >= 2 && places <= size) Item(bases, count++) = base;
  }
  return ForEachChoice(count, size, [&](const std::array<int, 4>& chosen) {
    int cover = 0, baseMask = 0;
    std::array<int, 4> baseLines{};
    for (int i = 0; i < size; ++i) {
      Item(baseLines, i) = Item(bases, Item(chosen, i));
      cover |= Item(lines.places, Item(baseLines, i));
      baseMask |= 1 << Item(baseLines, i);
    }
    if (DigitCount(cover) != size) return false;
    Step found;
    for (int base = 0; base < 9; ++base) {
      if (baseMask & (1 << base)) continue;
      for (int crosses = Item(lines.places, base) & cover; crosses; crosses &= crosses - 1)
        found.Eliminate(lines.CellOf(base + 1, FirstDigit(crosses)), DigitBit(lines.digit));
    }
    if (found.eliminations.empty()) return false;
    found.technique = Item(kPlain, size - 2);
    found.rating = Item(kPlainRating, size - 2);
    DescribeFish(lines, baseLines, size, cover, found);
    step = std::move(found);
    return true;
  });
}

// A fish whose base lines also hold places outside its cover lines, the fins,
// all in one box: either a fin holds the digit, or the fish stands. Either
// way the cells of the cover lines in the fins' box lose the digit.
bool FindFinned(const FishLines& lines, int size, Step& step) {
  std::array<int, 9> bases{};
  int count = 0;
  for (int base = 0; base < 9; ++base)
    if (Item(lines.places, base)) Item(bases, count++) = base;
  return ForEachChoice(count, size, [&](const std::array<int, 4>& chosen) {
    std::array<int, 4> baseLines{};
    int baseMask = 0;
    for (int i = 0; i < size; ++i) {
      Item(baseLines, i) = Item(bases, Item(chosen, i));
      baseMask |= 1 << Item(baseLines, i);
    }
    // The fins' box: a band of base lines and a stack of cross lines.
    for (int band = 0; band < 3; ++band) {
      const int bandLines = (0x7 << (3 * band)) & baseMask;
      if (!bandLines) continue;
      for (int stack = 0; stack < 3; ++stack) {
        const int stackCrosses = 0x7 << (3 * stack);
        int required = 0, finCrosses = 0;
        for (int i = 0; i < size; ++i) {
          const int base = Item(baseLines, i);
          const int places = Item(lines.places, base);
          if (bandLines & (1 << base)) {
            required |= places & ~stackCrosses;
            finCrosses |= places & stackCrosses;
          } else {
            required |= places;
          }
        }
        if (DigitCount(required) > size) continue;
        for (int extra = 0; extra < 8; ++extra) {
          const int cover = required | ((extra << (3 * stack)) & finCrosses);
          if (DigitCount(cover) != size || ((extra << (3 * stack)) & ~finCrosses)) continue;
          const int fins = finCrosses & ~cover;
          if (!fins) continue;
          Step found;
          for (int base = 3 * band; base < 3 * band + 3; ++base) {
            if (baseMask & (1 << base)) continue;
            for (int crosses = Item(lines.places, base) & cover & stackCrosses; crosses; crosses &= crosses - 1)
              found.Eliminate(lines.CellOf(base + 1, FirstDigit(crosses)), DigitBit(lines.digit));
          }
          if (found.eliminations.empty()) continue;
          found.technique = Item(kFinned, size - 2);
          found.rating = Item(kFinnedRating, size - 2);
          DescribeFish(lines, baseLines, size, cover, found);
          for (int base = 3 * band; base < 3 * band + 3; ++base)
            if (bandLines & (1 << base))
              for (int crosses = Item(lines.places, base) & fins; crosses; crosses &= crosses - 1)
                found.fins.push_back(lines.CellOf(base + 1, FirstDigit(crosses)));
          step = std::move(found);
          return true;
        }
      }
    }
    return false;
  });
}

}  // namespace

bool FindFish(const Position& position, int size, Step& step) {
  for (int digit = 1; digit <= 9; ++digit)
    for (bool crosswise : {false, true})
      if (FindPlainFish(FishLines(position, digit, crosswise), size, step)) return true;
  return false;
}

bool FindFinnedFish(const Position& position, int size, Step& step) {
  for (int digit = 1; digit <= 9; ++digit)
    for (bool crosswise : {false, true})
      if (FindFinned(FishLines(position, digit, crosswise), size, step)) return true;
  return false;
}
