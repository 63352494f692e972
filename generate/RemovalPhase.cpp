#include "generate/RemovalPhase.h"

#include <numeric>
#include <utility>

#include "generate/Random.h"
#include "platform/CoreServices.h"

namespace {

int RandomCellNumber() { return RandomDraw(8) + 1; }

bool ArePeers(int a, int b) {
  const int colA = ColumnOfIndex(a), rowA = RowOfIndex(a), colB = ColumnOfIndex(b), rowB = RowOfIndex(b);
  return colA == colB || rowA == rowB || ((colA - 1) / 3 == (colB - 1) / 3 && (rowA - 1) / 3 == (rowB - 1) / 3);
}

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

  // Empties the cell when the solver still completes the puzzle then.
  void TryToEmpty(int index) {
    auto cell = static_cast<std::size_t>(index);
    if (Ended() || current[cell]) return;
    if (PollForStop()) {
      stopped = true;
      return;
    }
    --attemptsLeft;
    current[cell] = true;
    if (!CompletesBySingles(solution, current)) {
      current[cell] = false;
      return;
    }
    if (++count > bestCount) {
      best = current;
      bestCount = count;
    }
  }

  // Empties as many further cells as the solver allows, in random order,
  // never the cell `keep`.
  void Grow(int keep) {
    for (int index : ShuffledCells())
      if (index != keep) TryToEmpty(index);
  }

  // A random cell that is (emptied) or is not (given) emptied, among those
  // that pass the filter; -1 when there is none.
  template <typename Filter>
  int PickCell(bool emptied, Filter filter) {
    std::array<int, kPuzzleCells> cells{};
    int found = 0;
    for (int index = 0; index < kPuzzleCells; ++index)
      if (current[static_cast<std::size_t>(index)] == emptied && filter(index)) cells[static_cast<std::size_t>(found++)] = index;
    return found == 0 ? -1 : cells[static_cast<std::size_t>(RandomDraw(found - 1))];
  }

  // Puts back an emptied cell that shares a column, row or box with a given
  // cell, tries to empty that given cell instead, then empties what else
  // will go.
  void Swap() {
    const int given = PickCell(false, [](int) { return true; });
    if (given < 0) return;
    int back = PickCell(true, [&](int index) { return ArePeers(index, given); });
    if (back < 0) back = PickCell(true, [](int) { return true; });
    if (back < 0) return;
    current[static_cast<std::size_t>(back)] = false;
    --count;
    TryToEmpty(given);
    Grow(back);
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
    search.Swap();
    if (search.count < countBefore) {
      search.current = before;
      search.count = countBefore;
    }
  }
  emptied = search.best;
  if (search.stopped) return RemovalResult::Stopped;
  return search.bestCount == difficulty ? RemovalResult::Found : RemovalResult::NotFound;
}
