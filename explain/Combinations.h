#pragma once
// Choosing a few of up to nine items, for subsets and fish.

#include <array>

#include "explain/Geometry.h"

// Calls visit(chosen) for every choice of size (1 to 4) items out of items
// (at most 9), chosen holding their indices ascending; stops and returns true
// when visit returns true.
template <typename Visit>
bool ForEachChoice(int items, int size, Visit visit) {
  std::array<int, 4> chosen{};
  int depth = 0;
  Item(chosen, 0) = -1;
  while (depth >= 0) {
    if (++Item(chosen, depth) > items - (size - depth)) {
      --depth;
      continue;
    }
    if (depth == size - 1) {
      if (visit(chosen)) return true;
    } else {
      Item(chosen, depth + 1) = Item(chosen, depth);
      ++depth;
    }
  }
  return false;
}
