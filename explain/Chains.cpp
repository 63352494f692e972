#include "explain/Chains.h"

#include <algorithm>
#include <memory>

#include "explain/Net.h"
#include "explain/SearchWatch.h"
#include "explain/Ratings.h"

// An alternating chain joins two candidates by links that alternate: a strong
// link (of two candidates one holds: a cell with two candidates, or a unit
// with two places of a digit) and a weak one (two candidates that cannot
// both hold: one cell, or one digit in cells that see each other). Its two
// ends cannot both be false, so a candidate weakly linked to both ends goes.
//
// The search assumes each candidate in turn and follows the links, breadth
// first, until the candidate itself is off: the shortest chain that removes
// it. X-chains use one digit only, XY-chains bivalue cells only.

namespace {

struct LinkRules {
  bool sameDigitOnly;   // X-chains
  bool unitStrong;      // strong links through units with two places
  bool cellStrong;      // strong links through bivalue cells
  bool cellWeak;        // weak links within a cell
  Technique technique;
  int baseRating;
};

constexpr LinkRules kXChainRules{true, true, false, false, Technique::kXChain, rating::kXChain};
constexpr LinkRules kXYChainRules{false, false, true, false, Technique::kXYChain, rating::kXYChain};
constexpr LinkRules kAlternatingRules{false, true, true, true, Technique::kAlternatingChain, rating::kAlternatingChain};

class ChainSearch {
 public:
  ChainSearch(const Position& position, const LinkRules& rules) : position_(position), rules_(rules) {}

  // The shortest chain from target on back to target off, of at most
  // maxNodes literals between the two; empty when there is none.
  std::vector<Literal> ShortestFrom(Literal target, int maxNodes) {
    ++epoch_;
    std::array<std::int16_t, kLiterals> queue{};
    int head = 0, tail = 0;
    const int start = LiteralIndex(target);
    Visit(start, -1);
    Item(queue, tail++) = static_cast<std::int16_t>(start);
    Item(depth_, start) = 0;
    while (head < tail) {
      const int literal = Item(queue, head++);
      const int depth = Item(depth_, literal);
      if (depth > maxNodes) break;
      const Decoded from = Decode(literal);
      bool found = false;
      auto reach = [&](int cell, int digit, bool on) {
        const int next = LiteralIndex(cell, digit, on);
        if (next == (start ^ 1) && depth + 1 >= 2) {
          Item(parent_, next) = static_cast<std::int16_t>(literal);
          found = true;
          return;
        }
        if (Visited(next)) return;
        Visit(next, literal);
        Item(depth_, next) = static_cast<std::int16_t>(depth + 1);
        Item(queue, tail++) = static_cast<std::int16_t>(next);
      };
      if (from.on) {
        for (int peer : position_.CellsWith(from.digit) & PeersOf(from.cell)) reach(peer, from.digit, false);
        if (rules_.cellWeak)
          for (int others = position_.Candidates(from.cell) & ~DigitBit(from.digit); others; others &= others - 1)
            reach(from.cell, FirstDigit(others), false);
      } else {
        const int candidates = position_.Candidates(from.cell);
        if (rules_.cellStrong && DigitCount(candidates) == 2)
          reach(from.cell, FirstDigit(candidates & ~DigitBit(from.digit)), true);
        if (rules_.unitStrong)
          for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(from.cell)]) {
            const CellSet places = position_.PlacesIn(unit, from.digit);
            if (places.Count() == 2) reach(places.Without(CellSet::Of(from.cell)).First(), from.digit, true);
          }
      }
      if (found) return PathTo(start ^ 1, start);
    }
    return {};
  }

 private:
  struct Decoded {
    int cell, digit;
    bool on;
  };
  static Decoded Decode(int literal) { return {literal / 18, literal / 2 % 9 + 1, (literal & 1) != 0}; }
  bool Visited(int literal) const { return Item(seen_, literal) == epoch_; }
  void Visit(int literal, int parent) {
    Item(seen_, literal) = epoch_;
    Item(parent_, literal) = static_cast<std::int16_t>(parent);
  }
  // The literals between start and end, in chain order.
  std::vector<Literal> PathTo(int end, int start) const {
    std::vector<Literal> path;
    for (int literal = Item(parent_, end); literal != start; literal = Item(parent_, literal)) {
      const Decoded d = Decode(literal);
      path.insert(path.begin(), {static_cast<std::uint8_t>(d.cell), static_cast<std::uint8_t>(d.digit), d.on});
    }
    return path;
  }

  const Position& position_;
  const LinkRules& rules_;
  std::uint32_t epoch_ = 0;
  std::array<std::uint32_t, kLiterals> seen_{};
  std::array<std::int16_t, kLiterals> parent_{};
  std::array<std::int16_t, kLiterals> depth_{};
};

// Whether two candidates cannot both hold, under the rules' weak links.
bool WeaklyLinked(const LinkRules& rules, int cell1, int digit1, int cell2, int digit2) {
  if (cell1 == cell2) return digit1 != digit2 && rules.cellWeak;
  return digit1 == digit2 && SeesEachOther(cell1, cell2);
}

// The step of a chain: its links as one branch, from the first end (off) to
// the last (on), and every candidate weakly linked to both ends.
Step ChainStep(const Position& position, const LinkRules& rules, const std::vector<Literal>& path) {
  Step step;
  step.technique = rules.technique;
  step.rating = rules.baseRating + rating::LengthAddition(static_cast<int>(path.size()));
  std::vector<Link> links;
  for (std::size_t i = 0; i < path.size(); ++i) {
    Link link{path[i], Reason::kAssumed, -1, -1, {}, {}};
    if (i > 0) {
      link.from = {static_cast<std::int16_t>(i - 1)};
      const Literal& before = path[i - 1];
      if (link.literal.on) {
        link.reason = before.cell == link.literal.cell ? Reason::kLastCandidate : Reason::kLastPlace;
        if (link.reason == Reason::kLastPlace)
          for (std::uint8_t unit : kCellUnits[link.literal.cell])
            if (UnitSet(unit).Has(before.cell) && position.PlacesIn(unit, link.literal.digit).Count() == 2)
              link.unit = static_cast<std::int8_t>(unit);
      } else {
        link.reason = before.cell == link.literal.cell ? Reason::kSameCell : Reason::kSameUnit;
      }
    }
    step.digits |= DigitBit(link.literal.digit);
    if (std::find(step.cells.begin(), step.cells.end(), link.literal.cell) == step.cells.end())
      step.cells.push_back(link.literal.cell);
    links.push_back(std::move(link));
  }
  const Literal first = path.front(), last = path.back();
  for (int cell = 0; cell < kCells; ++cell)
    for (int digits = position.Candidates(cell); digits; digits &= digits - 1) {
      const int digit = FirstDigit(digits);
      if ((cell == first.cell && digit == first.digit) || (cell == last.cell && digit == last.digit)) continue;
      if (WeaklyLinked(rules, cell, digit, first.cell, first.digit) &&
          WeaklyLinked(rules, cell, digit, last.cell, last.digit))
        step.Eliminate(cell, DigitBit(digit));
    }
  step.chain.form = ChainForm::kLine;
  step.chain.branches = {std::move(links)};
  return step;
}

bool FindChainOf(const Position& position, const LinkRules& rules, Step& step) {
  auto search = std::make_unique<ChainSearch>(position, rules);
  std::vector<Literal> best;
  for (int cell = 0; cell < kCells && !SearchInterrupted(); ++cell) {
    for (int digits = position.Candidates(cell); digits; digits &= digits - 1) {
      const Literal target{static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(FirstDigit(digits)), true};
      const int limit = best.empty() ? kLiterals : static_cast<int>(best.size()) - 1;
      std::vector<Literal> path = search->ShortestFrom(target, limit);
      if (!path.empty() && (best.empty() || path.size() < best.size())) best = std::move(path);
    }
  }
  if (best.empty()) return false;
  step = ChainStep(position, rules, best);
  return !step.eliminations.empty();
}

}  // namespace

bool FindXChain(const Position& position, Step& step) { return FindChainOf(position, kXChainRules, step); }
bool FindXYChain(const Position& position, Step& step) { return FindChainOf(position, kXYChainRules, step); }
bool FindAlternatingChain(const Position& position, Step& step) {
  return FindChainOf(position, kAlternatingRules, step);
}
