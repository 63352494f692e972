#pragma once
// A puzzle explained: how many solutions it has, and the steps a person can
// see from a position to as far as they reach.

#include <string>
#include <vector>

#include "explain/NextStep.h"
#include "explain/SolutionCount.h"

using Digits = std::array<std::uint8_t, kCells>;  // a digit or 0 for every cell

// The puzzle of the main board: its filled cells that are locked, or all its
// filled cells when none is locked.
Digits GivensOfMainBoard();

// The first cell of the position in reading order that does not fit the
// solution: a placed digit that differs, or else an open cell whose
// candidates lack the solution's digit (which only wrong marks can cause
// once every placed digit is right); -1 when every cell fits.
int FirstMisfit(const Position& position, const Solution& solution);

// The main board held to its puzzle: how many solutions the givens have and,
// when exactly one, the first cell that does not fit it.
struct BoardCheck {
  int solutions = 0;  // of the givens: 0, 1, or 2 for two or more
  Solution solution{};
  Position board;     // the main board as a position
  int misfit = -1;    // the first cell that does not fit the one solution, or -1
};
BoardCheck CheckMainBoard();

// The finding of a check, as a sentence: "Das Rätsel hat genau eine Lösung.
// Alle Einträge passen.", "Das Rätsel hat keine Lösung.", "Das Rätsel hat
// mehr als eine Lösung." or "D4 passt nicht zur Lösung.".
std::string BoardCheckText(const BoardCheck& check);

struct ExplainedSolve {
  int solutions = 0;  // of the start position: 0, 1, or 2 for two or more
  Solution solution{};
  std::vector<Step> steps;
  Position reached;   // where the steps led
  bool solved = false;  // every cell placed by the steps
  int rating = 0;     // the hardest step's, in tenths
};

// Explains from a position on, step after step, until it is solved or no
// technique applies; a position without solution gets no steps. Uniqueness
// patterns are used when the position has exactly one solution.
ExplainedSolve ExplainSolve(const Position& start);
