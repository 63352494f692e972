#pragma once
// A board as the explaining solver reasons about it: each puzzle cell is
// either placed (it holds its digit) or open (it holds a set of candidates).

#include <array>
#include <cstdint>

#include "explain/Geometry.h"

struct Position {
  std::array<std::uint8_t, kCells> value{};        // the placed digit, 0 for an open cell
  std::array<std::uint16_t, kCells> candidates{};  // digit mask of an open cell, 0 for a placed one
  std::array<CellSet, 10> digitCells{};            // [digit]: the open cells with that candidate

  int Value(int cell) const { return value[static_cast<std::size_t>(cell)]; }
  int Candidates(int cell) const { return candidates[static_cast<std::size_t>(cell)]; }
  bool IsOpen(int cell) const { return Value(cell) == 0; }
  bool HasCandidate(int cell, int digit) const { return (Candidates(cell) & DigitBit(digit)) != 0; }
  CellSet CellsWith(int digit) const { return digitCells[static_cast<std::size_t>(digit)]; }
  // The open cells of a unit that hold the digit.
  CellSet PlacesIn(int unit, int digit) const { return CellsWith(digit) & UnitSet(unit); }
  // The digits placed in a unit.
  int PlacedIn(int unit) const;
  CellSet OpenCells() const;
  int OpenCount() const;
};

// Places a digit in an open cell: its candidates go, and the digit leaves the
// candidates of the cell's peers.
void Place(Position& position, int cell, int digit);

// Removes a candidate from an open cell (nothing when it has none such).
void Eliminate(Position& position, int cell, int digit);

// A position with the given digits placed (0: open, every digit a candidate
// unless placed in one of the cell's units).
Position PositionOfDigits(const std::array<std::uint8_t, kCells>& digits);

// The main board's puzzle cells (columns and rows 1 to 9) as a position. A
// filled cell (exactly one flag) is placed. An undecided cell's flags are its
// candidates, an empty cell's its allowed digits; either way less the digits
// placed in its units.
Position PositionOfMainBoard();

// What makes a position impossible, if anything: a digit placed twice in a
// unit, an open cell without candidates, or a digit of a unit with neither a
// placed cell nor a candidate.
struct Contradiction {
  enum Kind { kNone, kTwiceInUnit, kNoCandidate, kNoPlaceInUnit } kind = kNone;
  int cell = -1;   // the second cell of a digit placed twice, or the cell without candidates
  int unit = -1;   // the unit of a digit placed twice or without a place
  int digit = 0;
};
Contradiction FindContradiction(const Position& position);
