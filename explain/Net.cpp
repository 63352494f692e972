#include "explain/Net.h"

#include <algorithm>

#include "explain/SearchWatch.h"

namespace {

// The first unit two cells share, in the order row, column, box.
int SharedUnit(int a, int b) {
  for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(a)])
    if (UnitSet(unit).Has(b)) return unit;
  return -1;
}

Literal LiteralOf(int cell, int digit, bool on) {
  return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit), on};
}

// Nested nets are tried at most this often in one net: each round costs a
// net for every candidate left.
constexpr int kNestedRounds = 1;

}  // namespace

void Net::Run(const Position& position, Literal assumption, const NetRules& rules) {
  state_ = position;
  unitOn_.fill(0);
  Start(position, assumption, rules);
}

void Net::RunInside(const Net& outer, Literal assumption, const NetRules& rules) {
  state_ = outer.state_;
  unitOn_ = outer.unitOn_;
  Start(*outer.position_, assumption, rules);
}

void Net::Start(const Position& position, Literal assumption, const NetRules& rules) {
  position_ = &position;
  rules_ = rules;
  index_.fill(-1);
  entries_.clear();
  parents_.clear();
  nested_.clear();
  contradiction_ = {};
  Add(assumption, Reason::kAssumed, -1, nullptr, 0);
  Derive();
}

void Net::Derive() {
  int nestedRounds = 0;
  for (int entry = 0; entry < static_cast<int>(entries_.size()) && !Contradicted(); ++entry) {
    Process(entry);
    if (entry + 1 < static_cast<int>(entries_.size()) || Contradicted()) continue;
    if (rules_.locked && ApplyLocked()) continue;
    if (rules_.nested > 0 && nestedRounds++ < kNestedRounds) ApplyNested();
  }
}

int Net::Add(const Literal& literal, Reason reason, int unit, const std::int16_t* from, int fromCount, int lockedIn,
             int weight) {
  const int index = LiteralIndex(literal);
  if (Item(index_, index) >= 0) return Item(index_, index);
  const auto entry = static_cast<std::int16_t>(entries_.size());
  entries_.push_back({literal, reason, static_cast<std::int8_t>(unit), static_cast<std::int8_t>(lockedIn),
                      static_cast<std::int32_t>(parents_.size()), static_cast<std::int16_t>(fromCount),
                      static_cast<std::int16_t>(weight)});
  parents_.insert(parents_.end(), from, from + fromCount);
  Item(index_, index) = entry;
  if (const int opposite = Item(index_, index ^ 1); opposite >= 0 && !Contradicted()) {
    contradiction_.on = literal.on ? entry : static_cast<std::int16_t>(opposite);
    contradiction_.off = literal.on ? static_cast<std::int16_t>(opposite) : entry;
  }
  return entry;
}

std::int16_t Net::OffEntry(int cell, int digit) const {
  const int literal = LiteralIndex(cell, digit, false);
  const int entry = IndexOf(literal);
  return static_cast<std::int16_t>(entry >= 0 ? entry : -1 - literal);
}

int Net::OffEntriesOfPlaces(int unit, int digit, CellSet keep, std::array<std::int16_t, 9>& from) const {
  int count = 0;
  for (int cell : position_->PlacesIn(unit, digit).Without(keep)) Item(from, count++) = OffEntry(cell, digit);
  return count;
}

void Net::Process(int entry) {
  const Literal literal = Item(entries_, entry).literal;
  const int cell = literal.cell, digit = literal.digit;
  const auto self = static_cast<std::int16_t>(entry);
  if (literal.on) {
    Item(state_.value, cell) = static_cast<std::uint8_t>(digit);
    for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(cell)])
      Item(unitOn_, unit) = static_cast<std::uint16_t>(Item(unitOn_, unit) | DigitBit(digit));
    if (!rules_.oneDigit)
      for (int others = state_.Candidates(cell) & ~DigitBit(digit); others; others &= others - 1)
        Add(LiteralOf(cell, FirstDigit(others), false), Reason::kSameCell, -1, &self, 1);
    for (int peer : state_.CellsWith(digit) & PeersOf(cell))
      Add(LiteralOf(peer, digit, false), Reason::kSameUnit, SharedUnit(cell, peer), &self, 1);
    return;
  }
  Eliminate(state_, cell, digit);
  if (rules_.dynamic) {
    if (!rules_.oneDigit) CheckCell(cell);
    for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(cell)]) CheckUnit(unit, digit);
    return;
  }
  const int original = position_->Candidates(cell);
  if (DigitCount(original) == 2)
    Add(LiteralOf(cell, FirstDigit(original & ~DigitBit(digit)), true), Reason::kLastCandidate, -1, &self, 1);
  for (std::uint8_t unit : kCellUnits[static_cast<std::size_t>(cell)]) {
    const CellSet places = position_->PlacesIn(unit, digit);
    if (places.Count() == 2)
      Add(LiteralOf(places.Without(CellSet::Of(cell)).First(), digit, true), Reason::kLastPlace, unit, &self, 1);
  }
}

void Net::CheckCell(int cell) {
  if (state_.Value(cell)) return;
  const int left = state_.Candidates(cell);
  if (DigitCount(left) > 1) return;
  if (left == 0) {
    if (!Contradicted()) contradiction_.cell = static_cast<std::int8_t>(cell);
    return;
  }
  std::array<std::int16_t, 9> from{};
  int count = 0;
  for (int others = position_->Candidates(cell) & ~left; others; others &= others - 1)
    Item(from, count++) = OffEntry(cell, FirstDigit(others));
  Add(LiteralOf(cell, FirstDigit(left), true), Reason::kLastCandidate, -1, from.data(), count);
}

void Net::CheckUnit(int unit, int digit) {
  if (Item(unitOn_, unit) & DigitBit(digit)) return;
  const CellSet left = state_.PlacesIn(unit, digit);
  if (left.Count() > 1) return;
  if (left.Empty()) {
    if (!Contradicted()) {
      contradiction_.unit = static_cast<std::int8_t>(unit);
      contradiction_.digit = static_cast<std::uint8_t>(digit);
    }
    return;
  }
  std::array<std::int16_t, 9> from{};
  const int count = OffEntriesOfPlaces(unit, digit, left, from);
  Add(LiteralOf(left.First(), digit, true), Reason::kLastPlace, unit, from.data(), count);
}

// A digit whose places left in a box lie in one line (or in a line, in one
// box) is off in the rest of that line (or box).
bool Net::ApplyLocked() {
  bool added = false;
  for (int unit = 0; unit < kUnits; ++unit)
    for (int digit = 1; digit <= 9; ++digit) {
      if (Item(unitOn_, unit) & DigitBit(digit)) continue;
      const CellSet left = state_.PlacesIn(unit, digit);
      if (left.Count() < 2) continue;
      const int first = left.First();
      for (std::uint8_t other : kCellUnits[static_cast<std::size_t>(first)]) {
        if (IsBoxUnit(other) == IsBoxUnit(unit) || !left.Without(UnitSet(other)).Empty()) continue;
        const CellSet targets = state_.PlacesIn(other, digit).Without(UnitSet(unit));
        if (targets.Empty()) continue;
        std::array<std::int16_t, 9> from{};
        const int count = OffEntriesOfPlaces(unit, digit, left, from);
        if (count == 0) continue;  // locked in the position itself: not the net's doing
        for (int target : targets)
          Add(LiteralOf(target, digit, false), Reason::kLocked, unit, from.data(), count, other);
        added = true;
      }
    }
  return added;
}

// A candidate that, assumed within the net so far, leads to a contradiction
// by a net of one level less is off. Its parents are the literals of this
// net the nested one rests on.
bool Net::ApplyNested() {
  if (!inner_) inner_ = std::make_unique<Net>();
  const NetRules innerRules{true, false, false, rules_.nested - 1};
  bool added = false;
  for (int cell = 0; cell < kCells; ++cell) {
    if (state_.Value(cell)) continue;
    for (int digits = state_.Candidates(cell); digits; digits &= digits - 1) {
      if (SearchInterrupted()) return added;
      const int digit = FirstDigit(digits);
      inner_->RunInside(*this, LiteralOf(cell, digit, true), innerRules);
      if (!inner_->Contradicted()) continue;
      const std::vector<std::int16_t> sources = inner_->ContradictionSources();
      std::vector<Link> branch = inner_->Branch(sources);
      std::vector<std::int16_t> from;
      for (const Link& link : branch)
        for (std::int16_t parent : link.from)
          if (parent < 0) from.push_back(Item(index_, -1 - parent));
      std::sort(from.begin(), from.end());
      from.erase(std::unique(from.begin(), from.end()), from.end());
      const int weight = 1 + static_cast<int>(branch.size());
      const int entry = Add(LiteralOf(cell, digit, false), Reason::kNested, -1, from.data(),
                            static_cast<int>(from.size()), -1, weight);
      nested_.emplace_back(static_cast<std::int16_t>(entry), std::move(branch));
      added = true;
      if (Contradicted()) return true;
    }
  }
  return added;
}

std::vector<std::int16_t> Net::ContradictionSources() const {
  std::vector<std::int16_t> sources;
  if (contradiction_.on >= 0) return {contradiction_.on, contradiction_.off};
  if (contradiction_.cell >= 0) {
    for (int digits = position_->Candidates(contradiction_.cell); digits; digits &= digits - 1)
      sources.push_back(OffEntry(contradiction_.cell, FirstDigit(digits)));
  } else if (contradiction_.unit >= 0) {
    std::array<std::int16_t, 9> from{};
    const int count = OffEntriesOfPlaces(contradiction_.unit, contradiction_.digit, {}, from);
    sources.assign(from.begin(), from.begin() + count);
  }
  return sources;
}

int Net::MarkAncestors(const std::vector<std::int16_t>& from, std::vector<char>& marked) const {
  std::vector<std::int16_t> stack;
  for (std::int16_t entry : from)
    if (entry >= 0) stack.push_back(entry);
  int links = 0;
  while (!stack.empty()) {
    const int entry = stack.back();
    stack.pop_back();
    if (Item(marked, entry)) continue;
    Item(marked, entry) = 1;
    const Entry& e = Item(entries_, entry);
    links += e.weight;
    for (int p = 0; p < e.parentCount; ++p)
      if (const std::int16_t parent = Item(parents_, e.firstParent + p); parent >= 0) stack.push_back(parent);
  }
  return links;
}

std::vector<Link> Net::Branch(const std::vector<std::int16_t>& from, std::vector<std::int16_t>* result) const {
  std::vector<char> marked(entries_.size(), 0);
  MarkAncestors(from, marked);
  std::vector<std::int16_t> renumbered(entries_.size(), -1);
  std::vector<Link> links;
  for (int entry = 0; entry < static_cast<int>(entries_.size()); ++entry) {
    if (!Item(marked, entry)) continue;
    const Entry& e = Item(entries_, entry);
    Link link{e.literal, e.reason, e.unit, e.lockedIn, {}, {}};
    for (int p = 0; p < e.parentCount; ++p) {
      const std::int16_t parent = Item(parents_, e.firstParent + p);
      link.from.push_back(parent >= 0 ? Item(renumbered, parent) : parent);
    }
    if (e.reason == Reason::kNested)
      for (const auto& [nestedEntry, branch] : nested_)
        if (nestedEntry == entry) link.nested = branch;
    Item(renumbered, entry) = static_cast<std::int16_t>(links.size());
    links.push_back(std::move(link));
  }
  if (result) {
    result->clear();
    for (std::int16_t entry : from) result->push_back(entry >= 0 ? Item(renumbered, entry) : entry);
  }
  return links;
}
