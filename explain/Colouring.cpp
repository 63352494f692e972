#include <algorithm>

#include "explain/Ratings.h"
#include "explain/Techniques.h"

namespace {

// The cells joined to a cell by units where the digit has exactly two places.
CellSet ConjugatesOf(const Position& position, int digit, int cell) {
  CellSet conjugates;
  for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(cell)]) {
    const CellSet places = position.PlacesIn(unit, digit);
    if (places.Count() == 2) conjugates |= places;
  }
  conjugates.Remove(cell);
  return conjugates;
}

// One chain of conjugate cells of a digit, coloured by turns: of any two
// cells of different colours, exactly one holds the digit.
struct Colouring {
  std::array<CellSet, 2> colour;
  std::array<int, kCells> distance{};  // links from the first cell

  Colouring(const Position& position, int digit, int start) {
    std::array<int, kCells> queue{};
    int head = 0, tail = 0;
    Item(queue, tail++) = start;
    Item(colour, 0).Add(start);
    while (head < tail) {
      const int cell = Item(queue, head++);
      const int side = Item(colour, 0).Has(cell) ? 0 : 1;
      for (int next : ConjugatesOf(position, digit, cell)) {
        if ((Item(colour, 0) | Item(colour, 1)).Has(next)) continue;
        Item(colour, 1 - side).Add(next);
        Item(distance, next) = Item(distance, cell) + 1;
        Item(queue, tail++) = next;
      }
    }
  }
  CellSet All() const { return Item(colour, 0) | Item(colour, 1); }
};

// The links between two cells of one colouring, through its first cell: an
// upper bound of the chain a person follows, used for the rating.
int ChainLength(const Colouring& colouring, int a, int b) {
  return Item(colouring.distance, a) + Item(colouring.distance, b) + 1;
}

void ColouringStep(const Colouring& colouring, int digit, int links, Step& step) {
  step.technique = Technique::kSimpleColouring;
  step.rating = rating::kSimpleColouring + rating::LengthAddition(links);
  step.digits = DigitBit(digit);
  for (int cell : Item(colouring.colour, 0)) step.cells.push_back(cell);
  step.variant = static_cast<int>(step.cells.size());
  for (int cell : Item(colouring.colour, 1)) step.cells.push_back(cell);
}

// A colour with two cells that see each other is false everywhere (a wrap);
// otherwise a cell that sees both colours is not the digit (a trap). Gives
// the wrap, or the traps, with the shortest chain.
bool ColourStep(const Position& position, int digit, const Colouring& colouring, Step& step) {
  int wrapSide = -1, wrapLinks = kCells;
  for (int side = 0; side < 2; ++side)
    for (int a : Item(colouring.colour, side))
      for (int b : Item(colouring.colour, side) & PeersOf(a))
        if (ChainLength(colouring, a, b) < wrapLinks) {
          wrapSide = side;
          wrapLinks = ChainLength(colouring, a, b);
        }
  if (wrapSide >= 0) {
    ColouringStep(colouring, digit, wrapLinks, step);
    for (int cell : Item(colouring.colour, wrapSide)) step.Eliminate(cell, DigitBit(digit));
    return true;
  }
  std::array<int, kCells> links{};
  int fewest = kCells;
  for (int cell : position.CellsWith(digit).Without(colouring.All())) {
    Item(links, cell) = kCells;
    for (int a : Item(colouring.colour, 0) & PeersOf(cell))
      for (int b : Item(colouring.colour, 1) & PeersOf(cell))
        Item(links, cell) = std::min(Item(links, cell), ChainLength(colouring, a, b) + 2);
    fewest = std::min(fewest, Item(links, cell));
  }
  if (fewest == kCells) return false;
  ColouringStep(colouring, digit, fewest, step);
  for (int cell : position.CellsWith(digit).Without(colouring.All()))
    if (rating::LengthAddition(Item(links, cell)) == rating::LengthAddition(fewest))
      step.Eliminate(cell, DigitBit(digit));
  return true;
}

}  // namespace

bool FindSimpleColouring(const Position& position, Step& step) {
  bool found = false;
  for (int digit = 1; digit <= 9; ++digit) {
    CellSet coloured;
    for (int start : position.CellsWith(digit)) {
      if (coloured.Has(start) || ConjugatesOf(position, digit, start).Empty()) continue;
      const Colouring colouring(position, digit, start);
      coloured |= colouring.All();
      if (colouring.All().Count() < 3) continue;
      Step candidate;
      if (ColourStep(position, digit, colouring, candidate) && (!found || candidate.rating < step.rating)) {
        step = std::move(candidate);
        found = true;
      }
    }
  }
  return found;
}
