#pragma once
// One step of the explaining solver, as data: the technique, what it rests
// on, and what it changes. Its sentences are made from this (StepText.h).

#include <cstdint>
#include <vector>

#include "explain/Geometry.h"

enum class Technique : std::uint8_t {
  kFullHouse,
  kHiddenSingle,
  kNakedSingle,
  kPointing,
  kClaiming,
  kNakedPair,
  kNakedTriple,
  kNakedQuad,
  kHiddenPair,
  kHiddenTriple,
  kHiddenQuad,
  kXWing,
  kSwordfish,
  kJellyfish,
  kFinnedXWing,
  kFinnedSwordfish,
  kFinnedJellyfish,
  kXYWing,
  kXYZWing,
  kWWing,
  kSkyscraper,
  kTwoStringKite,
  kSimpleColouring,
  kUniqueRectangle,
  kBugPlusOne,
  kXChain,
  kXYChain,
  kAlternatingChain,
  kForcingChain,  // static implications from one assumption, or from every candidate of a cell or unit
  kForcingNet,    // the same with implications that build on each other
};

// A literal of a chain: "digit is (on) or is not (off) in cell".
struct Literal {
  std::uint8_t cell = 0;
  std::uint8_t digit = 0;
  bool on = false;
  bool operator==(const Literal&) const = default;
};

// Why a literal of a chain holds, given the literals it follows from.
enum class Reason : std::uint8_t {
  kAssumed,         // the assumption a chain starts from
  kSameCell,        // off: another digit is on in its cell
  kSameUnit,        // off: its digit is on in another cell of the unit
  kLastCandidate,   // on: every other candidate of its cell is off
  kLastPlace,       // on: every other place of its digit in the unit is off
  kLocked,          // off: its digit is locked elsewhere in a unit (a box and a line meeting)
  kNested,          // off: assuming it on leads to a contradiction within the net
};

// One link of a chain or net: a literal, why it holds, and the earlier
// links it follows from (indices into Chain::links).
struct Link {
  Literal literal;
  Reason reason = Reason::kAssumed;
  std::int8_t unit = -1;                  // the unit of kSameUnit and kLastPlace; the box or line of kLocked
  std::int8_t lockedIn = -1;              // kLocked: the unit the digit is locked in
  std::vector<std::int16_t> from;         // the links it follows from; -1 - literal index: a literal
                                          // off before a nested net's assumption
  std::vector<Link> nested;               // kNested: the nested net, from the assumption to its contradiction
};

// The shape of a forcing chain or net's conclusion.
enum class ChainForm : std::uint8_t {
  kLine,           // an alternating chain: one of its two ends is true
  kContradiction,  // the assumption leads to a contradiction, so it is false
  kBothWays,       // the assumption and its opposite lead to the same result
  kEveryCandidate, // every candidate of a cell leads to the same result
  kEveryPlace,     // every place of a digit in a unit leads to the same result
};

// What makes a contradiction: a literal both on and off, a cell with no
// candidate, or a unit with no place for a digit.
struct ChainContradiction {
  std::int16_t on = -1, off = -1;  // links: the same literal on and off
  std::int8_t cell = -1;           // or the cell left without candidates
  std::int8_t unit = -1;           // or the unit without a place for digit
  std::uint8_t digit = 0;
};

// A chain or a net. Branches: one per assumption (one for kLine and
// kContradiction, two for kBothWays, one per candidate or place otherwise);
// each branch is a list of links, its first link the assumption.
struct Chain {
  ChainForm form = ChainForm::kLine;
  int level = 0;  // forcing nets: 0 plain, 1 with locked digits, 2 with nested contradictions
  std::vector<std::vector<Link>> branches;
  ChainContradiction contradiction;  // of kContradiction
  std::vector<std::int16_t> result;  // the link of each branch that gives the result
  int Size() const;                  // the links in all branches
};

struct Placement {
  std::uint8_t cell;
  std::uint8_t digit;
};

struct Elimination {
  std::uint8_t cell;
  std::uint16_t digits;  // the candidates it removes from the cell
};

struct Step {
  Technique technique = Technique::kFullHouse;
  int rating = 0;              // tenths of the scale: 23 is 2.3
  int digits = 0;              // the digits it rests on
  std::vector<int> units;      // the units it rests on, in the order the sentences name them
  std::vector<int> cells;      // the cells it rests on (a pattern, the pivot first for wings)
  std::vector<int> cellDigits; // of wings and rectangles: the candidates of each of cells
  std::vector<int> fins;       // the fins of a finned fish
  int variant = 0;             // the type of a unique rectangle
  std::vector<Placement> placements;
  std::vector<Elimination> eliminations;
  Chain chain;                 // chains and nets

  // The first cell the step changes.
  int FirstChangedCell() const;
  void Eliminate(int cell, int digitMask);
};
