#include "generate/SinglesCheck.h"

#include <bit>

namespace {

// For every cell, the cells of its column, row and box (itself included).
constexpr std::array<CellMask, kPuzzleCells> kPeers = [] {
  std::array<CellMask, kPuzzleCells> peers{};
  for (int a = 0; a < kPuzzleCells; ++a)
    for (int b = 0; b < kPuzzleCells; ++b) {
      const bool sameColumn = a % 9 == b % 9, sameRow = a / 9 == b / 9;
      const bool sameBox = (a % 9) / 3 == (b % 9) / 3 && a / 27 == b / 27;
      if (sameColumn || sameRow || sameBox) peers[static_cast<std::size_t>(a)] |= CellBit(b);
    }
  return peers;
}();

// Calls visit(index) for every cell of the mask.
template <typename Visit>
void ForEachCell(CellMask mask, Visit visit) {
  for (auto low = static_cast<std::uint64_t>(mask); low != 0; low &= low - 1) visit(std::countr_zero(low));
  for (auto high = static_cast<std::uint64_t>(mask >> 64); high != 0; high &= high - 1)
    visit(64 + std::countr_zero(high));
}

}  // namespace

int CellCount(CellMask cells) {
  return std::popcount(static_cast<std::uint64_t>(cells)) + std::popcount(static_cast<std::uint64_t>(cells >> 64));
}

CellMask SinglesGrid::PeersOf(int index) { return kPeers[static_cast<std::size_t>(index)]; }

SinglesGrid::SinglesGrid(const Grid& solution) : digits_(solution) {
  for (int index = 0; index < kPuzzleCells; ++index)
    cellsOf_[solution[static_cast<std::size_t>(index)] - 1u] |= CellBit(index);
}

SinglesGrid::Seen SinglesGrid::SeenBy(CellMask known) const {
  Seen seen{};
  ForEachCell(known, [&](int index) {
    const auto i = static_cast<std::size_t>(index);
    seen[digits_[i] - 1u] |= kPeers[i];
  });
  return seen;
}

CellMask SinglesGrid::ReachedWithout(CellMask givens, const Seen& seen, int index) const {
  const std::size_t digit = digits_[static_cast<std::size_t>(index)] - 1u;
  const CellMask known = givens & ~CellBit(index);
  Seen without = seen;
  without[digit] = 0;
  ForEachCell(known & cellsOf_[digit], [&](int other) { without[digit] |= kPeers[static_cast<std::size_t>(other)]; });
  return Close(known, without, CellBit(index));
}

CellMask SinglesGrid::Close(CellMask known, Seen seen, CellMask enough) const {
  // An unknown cell is a single once, for every digit but its own, it sees a
  // known cell holding it. The fills of one round do not depend on each
  // other, so each round takes every single at once.
  for (;;) {
    CellMask singles = kAllCells & ~known;
    for (std::size_t digit = 0; digit < 9; ++digit) singles &= seen[digit] | cellsOf_[digit];
    if (singles == 0) return known;
    if ((singles & enough) != 0) return kAllCells;
    known |= singles;
    ForEachCell(singles, [&](int index) {
      const auto i = static_cast<std::size_t>(index);
      seen[digits_[i] - 1u] |= kPeers[i];
    });
  }
}

bool CompletesBySingles(const Grid& solution, const CellSet& emptied) {
  CellMask givens = 0;
  for (int index = 0; index < kPuzzleCells; ++index)
    if (!emptied[static_cast<std::size_t>(index)]) givens |= CellBit(index);
  return SinglesGrid(solution).Completes(givens);
}
