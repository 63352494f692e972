#include "generate/SinglesCheck.h"

#include <bit>

namespace {

// Sets of puzzle cells as 81-bit masks, bit i for cell index i.
__extension__ using CellMask = unsigned __int128;

constexpr CellMask Bit(int index) { return CellMask{1} << index; }
constexpr CellMask kAllCells = (CellMask{1} << kPuzzleCells) - 1;

// For every cell, the cells of its column, row and box (itself included).
constexpr std::array<CellMask, kPuzzleCells> kPeers = [] {
  std::array<CellMask, kPuzzleCells> peers{};
  for (int a = 0; a < kPuzzleCells; ++a)
    for (int b = 0; b < kPuzzleCells; ++b) {
      const bool sameColumn = a % 9 == b % 9, sameRow = a / 9 == b / 9;
      const bool sameBox = (a % 9) / 3 == (b % 9) / 3 && a / 27 == b / 27;
      if (sameColumn || sameRow || sameBox) peers[static_cast<std::size_t>(a)] |= Bit(b);
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

bool CompletesBySingles(const Grid& solution, const CellSet& emptied) {
  // cellsOf[d]: the cells whose digit is d. seen[d]: the cells that have a
  // known cell holding d among their peers. An unknown cell is a single
  // once, for every digit but its own, it sees a known cell holding it.
  std::array<CellMask, 9> cellsOf{}, seen{};
  CellMask known = 0;
  for (int index = 0; index < kPuzzleCells; ++index) {
    const auto i = static_cast<std::size_t>(index);
    const std::size_t digit = solution[i] - 1u;
    cellsOf[digit] |= Bit(index);
    if (!emptied[i]) {
      known |= Bit(index);
      seen[digit] |= kPeers[i];
    }
  }
  // The fills of one round do not depend on each other, so each round takes
  // every single at once.
  for (;;) {
    CellMask singles = kAllCells & ~known;
    if (singles == 0) return true;
    for (std::size_t digit = 0; digit < 9; ++digit) singles &= seen[digit] | cellsOf[digit];
    if (singles == 0) return false;
    known |= singles;
    ForEachCell(singles, [&](int index) {
      const auto i = static_cast<std::size_t>(index);
      seen[solution[i] - 1u] |= kPeers[i];
    });
  }
}
