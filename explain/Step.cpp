#include "explain/Step.h"

int Chain::Size() const {
  int size = 0;
  for (const auto& branch : branches) size += static_cast<int>(branch.size());
  return size;
}

int Step::FirstChangedCell() const {
  if (!placements.empty()) return placements.front().cell;
  if (!eliminations.empty()) return eliminations.front().cell;
  return -1;
}

void Step::Eliminate(int cell, int digitMask) {
  for (Elimination& elimination : eliminations)
    if (elimination.cell == cell) {
      elimination.digits = static_cast<std::uint16_t>(elimination.digits | digitMask);
      return;
    }
  eliminations.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint16_t>(digitMask)});
}
