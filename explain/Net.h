#pragma once
// What follows from one assumption: the literals it implies, breadth first,
// each with its reason and the literals it follows from, until nothing more
// follows or a contradiction appears. Forcing chains and nets are made of
// these.

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "explain/Position.h"
#include "explain/Step.h"

constexpr int kLiterals = kCells * 9 * 2;

constexpr int LiteralIndex(int cell, int digit, bool on) { return (cell * 9 + digit - 1) * 2 + (on ? 1 : 0); }
constexpr int LiteralIndex(const Literal& literal) { return LiteralIndex(literal.cell, literal.digit, literal.on); }

// Which implications a net may use.
struct NetRules {
  // A literal is on once its cell or one of its units has no other place
  // left in the net's own state (dynamic), or only where the position itself
  // has exactly two (static: bivalue cells and units with two places).
  bool dynamic = true;
  bool oneDigit = false;  // only the assumed digit, by its places in units
  bool locked = false;    // also a digit locked in a box and line, once nothing else follows
  int nested = 0;         // also literals off whose assumption gives a contradiction in a net
                          // of these rules less one level of nesting (dynamic, locked)
};

class Net {
 public:
  struct Entry {
    Literal literal;
    Reason reason;
    std::int8_t unit;
    std::int8_t lockedIn;
    std::int32_t firstParent;  // into parents
    std::int16_t parentCount;
    std::int16_t weight;       // links it counts for: 1, and a nested net's own
  };

  // Derives everything that follows from the assumption under the rules,
  // breadth first; stops at the first contradiction.
  void Run(const Position& position, Literal assumption, const NetRules& rules);

  // The same within another net, from all it has derived. A literal the
  // outer net has made off appears among parents as -1 - its literal index.
  void RunInside(const Net& outer, Literal assumption, const NetRules& rules);

  bool Contradicted() const { return contradiction_.on >= 0 || contradiction_.cell >= 0 || contradiction_.unit >= 0; }
  const ChainContradiction& Contradiction() const { return contradiction_; }
  // The entry of a literal, -1 when it does not follow.
  int IndexOf(int literal) const { return Item(index_, literal); }
  const std::vector<Entry>& Entries() const { return entries_; }
  const std::vector<std::int16_t>& Parents() const { return parents_; }
  // The entries a contradiction rests on.
  std::vector<std::int16_t> ContradictionSources() const;

  // Marks the entries the given ones follow from, themselves included, in
  // marked (sized to the entries); returns the links they count for.
  int MarkAncestors(const std::vector<std::int16_t>& from, std::vector<char>& marked) const;

  // The links a conclusion rests on, in derivation order, their parents
  // renumbered; result is the index of each of from in that branch.
  std::vector<Link> Branch(const std::vector<std::int16_t>& from, std::vector<std::int16_t>* result = nullptr) const;

 private:
  // Derives from the assumption, on state_ and unitOn_ as set.
  void Start(const Position& position, Literal assumption, const NetRules& rules);
  void Derive();
  int Add(const Literal& literal, Reason reason, int unit, const std::int16_t* from, int fromCount, int lockedIn = -1,
          int weight = 1);
  // The entry that made a literal off, or -1 - the literal when it was off
  // before the net began.
  std::int16_t OffEntry(int cell, int digit) const;
  // The entries that took the digit's places out of a unit, but for the cells of keep.
  int OffEntriesOfPlaces(int unit, int digit, CellSet keep, std::array<std::int16_t, 9>& from) const;
  void Process(int entry);
  void CheckCell(int cell);
  void CheckUnit(int unit, int digit);
  bool ApplyLocked();
  bool ApplyNested();

  const Position* position_ = nullptr;
  NetRules rules_;
  Position state_;                       // the position with the literals so far applied
  std::array<std::uint16_t, kUnits> unitOn_{};  // digits on in each unit
  std::array<std::int16_t, kLiterals> index_{};
  std::vector<Entry> entries_;
  std::vector<std::int16_t> parents_;
  std::vector<std::pair<std::int16_t, std::vector<Link>>> nested_;  // the nested net of each kNested entry
  ChainContradiction contradiction_;
  std::unique_ptr<Net> inner_;  // reused for nested nets
};
