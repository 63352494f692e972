#include "generate/RemovalPhase.h"

#include <bit>
#include <numeric>
#include <utility>

#include "generate/Random.h"
#include "platform/CoreServices.h"

namespace {

int RandomCellNumber() { return RandomDraw(8) + 1; }

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

// A random order of the 81 cells.
std::array<int, kPuzzleCells> ShuffledCells() {
  std::array<int, kPuzzleCells> order{};
  std::iota(order.begin(), order.end(), 0);
  for (int i = kPuzzleCells - 1; i > 0; --i) std::swap(order[At(i)], order[At(RandomDraw(i))]);
  return order;
}

// For every cell, the cells of its band and its stack.
constexpr auto kBandAndStack = [] {
  std::array<CellMask, kPuzzleCells> cells{};
  for (int a = 0; a < kPuzzleCells; ++a)
    for (int b = 0; b < kPuzzleCells; ++b)
      if ((a % 9) / 3 == (b % 9) / 3 || a / 27 == b / 27) cells[At(a)] |= CellBit(b);
  return cells;
}();

// A random cell of the set; -1 when it is empty.
int PickCell(CellMask cells) {
  const int count = CellCount(cells);
  if (count == 0) return -1;
  for (int skip = RandomDraw(count - 1); skip > 0; --skip) cells &= cells - 1;
  const auto low = static_cast<std::uint64_t>(cells);
  return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(static_cast<std::uint64_t>(cells >> 64));
}

CellSet ToCellSet(CellMask mask) {
  CellSet cells{};
  for (int index = 0; index < kPuzzleCells; ++index) cells[At(index)] = (mask & CellBit(index)) != 0;
  return cells;
}

// The search's working set with its count and the best set seen. The
// working set always lets the solver complete the puzzle.
struct Search {
  const Grid& solution;
  SinglesGrid grid;
  int difficulty;
  long attemptsLeft;
  CellMask emptied = 0;
  int count = 0;
  SinglesGrid::Seen seen = grid.SeenBy(kAllCells);  // by the givens
  CellMask best = 0;
  int bestCount = 0;
  bool stopped = false;

  bool Ended() const { return count == difficulty || stopped || attemptsLeft <= 0; }
  CellMask Givens() const { return kAllCells & ~emptied; }

  // Empties the cell when the solver still completes the puzzle then. Each
  // try is one attempt, with one event poll.
  void TryToEmpty(int index) {
    if (Ended() || (emptied & CellBit(index)) != 0) return;
    if (PollForStop()) {
      stopped = true;
      return;
    }
    --attemptsLeft;
    if (grid.ReachedWithout(Givens(), seen, index) != kAllCells) return;
    emptied |= CellBit(index);
    seen = grid.SeenBy(Givens());
    if (++count > bestCount) {
      best = emptied;
      bestCount = count;
    }
  }

  // Makes an emptied cell a given again.
  void PutBack(int index) {
    emptied &= ~CellBit(index);
    --count;
    seen[solution[At(index)] - 1u] |= grid.PeersOf(index);
  }

  // Empties as many further cells as the solver allows, in random order,
  // never the cell `keep`.
  void Grow(int keep) {
    for (int index : ShuffledCells())
      if (index != keep) TryToEmpty(index);
  }

  // Puts back a random emptied cell and tries to empty, in its place, the
  // givens holding its digit in its band and stack: these go in its place
  // about five times as often as other givens. When one goes, empties what
  // else will go.
  void Swap() {
    const int back = PickCell(emptied);
    if (back < 0) {
      Grow(-1);
      return;
    }
    PutBack(back);
    const int countBefore = count;
    CellMask likely = Givens() & kBandAndStack[At(back)] & grid.CellsOf(solution[At(back)]) & ~CellBit(back);
    for (int index = PickCell(likely); index >= 0 && count == countBefore; index = PickCell(likely)) {
      likely &= ~CellBit(index);
      TryToEmpty(index);
    }
    if (count > countBefore) Grow(back);
  }
};

}  // namespace

RemovalResult RandomTrials(const Grid& solution, int difficulty, CellSet& emptied) {
  const SinglesGrid grid(solution);
  for (int trial = 0; trial < kRandomTrialLimit; ++trial) {
    CellMask trialCells = 0;
    for (int removed = 0; removed < difficulty; ++removed) {
      int index;
      do {
        const int col = RandomCellNumber();
        index = CellIndex(col, RandomCellNumber());
      } while ((trialCells & CellBit(index)) != 0);
      trialCells |= CellBit(index);
    }
    if (PollForStop()) {
      emptied = CellSet{};
      return RemovalResult::Stopped;
    }
    if (grid.Completes(kAllCells & ~trialCells)) {
      emptied = ToCellSet(trialCells);
      return RemovalResult::Found;
    }
  }
  emptied = CellSet{};
  return RemovalResult::NotFound;
}

RemovalResult SearchEmptiedCells(const Grid& solution, int difficulty, CellSet& emptied, long attemptLimit) {
  Search search{solution, SinglesGrid(solution), difficulty, attemptLimit};
  search.Grow(-1);
  while (!search.Ended()) {
    // Stuck: put one emptied cell back and try to empty others instead. A
    // step that leaves fewer empty cells than before is mostly undone; now
    // and then it is kept, so that the search can leave a dead end.
    const CellMask before = search.emptied;
    const int countBefore = search.count;
    const SinglesGrid::Seen seenBefore = search.seen;
    search.Swap();
    if (search.count < countBefore && RandomDraw(kKeepWorseStepOdds - 1) != 0) {
      search.emptied = before;
      search.count = countBefore;
      search.seen = seenBefore;
    }
  }
  emptied = ToCellSet(search.best);
  if (search.stopped) return RemovalResult::Stopped;
  return search.bestCount == difficulty ? RemovalResult::Found : RemovalResult::NotFound;
}
