#include "generate/RemovalPhase.h"

#include <numeric>
#include <utility>

#include "generate/Random.h"
#include "platform/CoreServices.h"

namespace {

int RandomCellNumber() { return RandomDraw(8) + 1; }

// A random order of the 81 cells.
std::array<int, kPuzzleCells> ShuffledCells() {
  std::array<int, kPuzzleCells> order{};
  std::iota(order.begin(), order.end(), 0);
  for (int i = kPuzzleCells - 1; i > 0; --i) std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(RandomDraw(i))]);
  return order;
}

// The search's working set with its count and the best set seen.
struct Search {
  const Grid& solution;
  int difficulty;
  long attemptsLeft;
  CellSet current{};
  int count = 0;
  CellSet best{};
  int bestCount = 0;
  bool stopped = false;

  bool Ended() const { return count == difficulty || stopped || attemptsLeft <= 0; }

  // Empties as many further cells as the solver allows, in random order,
  // never the cell `keep`. Ends early once the search has ended.
  void Grow(int keep) {
    for (int index : ShuffledCells()) {
      if (Ended()) return;
      auto cell = static_cast<std::size_t>(index);
      if (current[cell] || index == keep) continue;
      if (PollForStop()) {
        stopped = true;
        return;
      }
      --attemptsLeft;
      current[cell] = true;
      if (!CompletesBySingles(solution, current)) {
        current[cell] = false;
        continue;
      }
      if (++count > bestCount) {
        best = current;
        bestCount = count;
      }
    }
  }

  // A random emptied cell.
  int PickEmptied() {
    int skip = RandomDraw(count - 1);
    for (int index = 0; index < kPuzzleCells; ++index)
      if (current[static_cast<std::size_t>(index)] && skip-- == 0) return index;
    return -1;
  }
};

}  // namespace

RemovalResult RandomTrials(const Grid& solution, int difficulty, CellSet& emptied) {
  for (int trial = 0; trial < kRandomTrialLimit; ++trial) {
    emptied = CellSet{};
    for (int removed = 0; removed < difficulty; ++removed) {
      int index;
      do {
        const int col = RandomCellNumber();
        index = CellIndex(col, RandomCellNumber());
      } while (emptied[static_cast<std::size_t>(index)]);
      emptied[static_cast<std::size_t>(index)] = true;
    }
    if (PollForStop()) {
      emptied = CellSet{};
      return RemovalResult::Stopped;
    }
    if (CompletesBySingles(solution, emptied)) return RemovalResult::Found;
  }
  emptied = CellSet{};
  return RemovalResult::NotFound;
}

RemovalResult SearchEmptiedCells(const Grid& solution, int difficulty, CellSet& emptied, long attemptLimit) {
  Search search{solution, difficulty, attemptLimit};
  search.Grow(-1);
  while (!search.Ended()) {
    // Stuck: put one emptied cell back and try to empty others instead. A
    // step that leaves fewer empty cells than before is undone.
    const CellSet before = search.current;
    const int countBefore = search.count;
    const int back = search.PickEmptied();
    if (back < 0) break;
    search.current[static_cast<std::size_t>(back)] = false;
    --search.count;
    search.Grow(back);
    if (search.count < countBefore) {
      search.current = before;
      search.count = countBefore;
    }
  }
  emptied = search.best;
  if (search.stopped) return RemovalResult::Stopped;
  return search.bestCount == difficulty ? RemovalResult::Found : RemovalResult::NotFound;
}
