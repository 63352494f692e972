#include "explain/SolutionCount.h"

namespace {

// Every cell's possible digits (a placed cell's: its one digit) and whether
// it is settled; a search state is copied at each branch.
struct SearchState {
  std::array<std::uint16_t, kCells> possible;
  CellSet unsettled;
};

class Search {
 public:
  Search(Solution* solution, int limit) : solution_(solution), limit_(limit) {}
  int found = 0;

  // Settles the state by naked and hidden singles, then branches on the
  // unsettled cell with the fewest possible digits.
  void Run(SearchState state, int cell, int digit) {
    if (!Settle(state, cell, digit)) return;
    if (state.unsettled.Empty()) {
      if (++found == 1 && solution_)
        for (int at = 0; at < kCells; ++at)
          (*solution_)[static_cast<std::size_t>(at)] =
              static_cast<std::uint8_t>(FirstDigit(state.possible[static_cast<std::size_t>(at)]));
      return;
    }
    int best = -1, fewest = 10;
    for (int at : state.unsettled) {
      const int count = DigitCount(state.possible[static_cast<std::size_t>(at)]);
      if (count < fewest) {
        best = at;
        fewest = count;
        if (count == 2) break;
      }
    }
    for (int mask = state.possible[static_cast<std::size_t>(best)]; mask && found < limit_; mask &= mask - 1)
      Run(state, best, FirstDigit(mask));
  }

 private:
  // Fixes digit at cell (cell -1: nothing) and everything that follows by
  // singles; false on a contradiction.
  static bool Settle(SearchState& state, int cell, int digit) {
    // Per round each cell becomes single once, and each unit names each digit
    // once: at most 81 + 243 entries of a cell and a digit.
    std::array<std::uint8_t, 2 * (kCells + kUnits * 9)> queue;
    int head = 0, tail = 0;
    auto push = [&](int at, int d) {
      queue[static_cast<std::size_t>(tail++)] = static_cast<std::uint8_t>(at);
      queue[static_cast<std::size_t>(tail++)] = static_cast<std::uint8_t>(d);
    };
    if (cell >= 0) push(cell, digit);
    else
      for (int at : state.unsettled)
        if (DigitCount(state.possible[static_cast<std::size_t>(at)]) == 1)
          push(at, FirstDigit(state.possible[static_cast<std::size_t>(at)]));
    for (;;) {
      while (head < tail) {
        const int at = queue[static_cast<std::size_t>(head++)];
        const int d = queue[static_cast<std::size_t>(head++)];
        const int bit = DigitBit(d);
        if (!state.unsettled.Has(at)) {
          if (state.possible[static_cast<std::size_t>(at)] != bit) return false;
          continue;
        }
        if (!(state.possible[static_cast<std::size_t>(at)] & bit)) return false;
        state.possible[static_cast<std::size_t>(at)] = static_cast<std::uint16_t>(bit);
        state.unsettled.Remove(at);
        for (int peer : PeersOf(at)) {
          std::uint16_t& peerPossible = state.possible[static_cast<std::size_t>(peer)];
          if (!(peerPossible & bit)) continue;
          if (!state.unsettled.Has(peer)) return false;
          peerPossible = static_cast<std::uint16_t>(peerPossible & ~bit);
          if (peerPossible == 0) return false;
          if (DigitCount(peerPossible) == 1) push(peer, FirstDigit(peerPossible));
        }
      }
      head = tail = 0;
      // Hidden singles: a digit with one place left in a unit.
      for (int unit = 0; unit < kUnits; ++unit) {
        int once = 0, twice = 0;
        for (int index = 0; index < 9; ++index) {
          const int mask = state.possible[static_cast<std::size_t>(UnitCell(unit, index))];
          twice |= once & mask;
          once |= mask;
        }
        if (once != 0x1FF) return false;
        for (int single = once & ~twice; single; single &= single - 1) {
          const int bit = single & -single;
          for (int index = 0; index < 9; ++index) {
            const int at = UnitCell(unit, index);
            if ((state.possible[static_cast<std::size_t>(at)] & bit) && state.unsettled.Has(at))
              push(at, FirstDigit(bit));
          }
        }
      }
      if (tail == 0) return true;
    }
  }

  Solution* solution_;
  int limit_;
};

int Solutions(const Position& position, Solution* solution, int limit) {
  SearchState state;
  for (int cell = 0; cell < kCells; ++cell) {
    const auto at = static_cast<std::size_t>(cell);
    if (position.value[at]) {
      state.possible[at] = static_cast<std::uint16_t>(DigitBit(position.value[at]));
    } else {
      state.possible[at] = position.candidates[at];
      state.unsettled.Add(cell);
    }
  }
  // Placed digits leave their peers first; a placed digit that a peer also
  // holds as placed makes the position impossible.
  for (int cell = 0; cell < kCells; ++cell) {
    const int digit = position.Value(cell);
    if (!digit) continue;
    for (int peer : PeersOf(cell)) {
      std::uint16_t& possible = state.possible[static_cast<std::size_t>(peer)];
      if (!state.unsettled.Has(peer)) {
        if (possible == DigitBit(digit)) return 0;
      } else {
        possible = static_cast<std::uint16_t>(possible & ~DigitBit(digit));
      }
    }
  }
  for (int cell : state.unsettled)
    if (state.possible[static_cast<std::size_t>(cell)] == 0) return 0;
  Search search(solution, limit);
  search.Run(state, -1, 0);
  return search.found;
}

}  // namespace

int CountSolutions(const Position& position, Solution* solution) { return Solutions(position, solution, 2); }

bool EveryCandidateHolds(const Position& position) {
  std::array<std::uint16_t, kCells> held{};  // the candidates seen in a solution so far
  Solution solution{};
  for (int cell = 0; cell < kCells; ++cell)
    for (int digits = position.Candidates(cell) & ~Item(held, cell); digits; digits &= digits - 1) {
      if (Item(held, cell) & (digits & -digits)) continue;
      Position trial = position;
      Place(trial, cell, FirstDigit(digits));
      if (Solutions(trial, &solution, 1) == 0) return false;
      for (int at = 0; at < kCells; ++at)
        Item(held, at) = static_cast<std::uint16_t>(Item(held, at) | DigitBit(Item(solution, at)));
    }
  return true;
}
