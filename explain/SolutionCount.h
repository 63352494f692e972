#pragma once
// The exact search that tells how many solutions a position has, without
// explaining anything: the ground truth the explained steps are held to.

#include <array>
#include <cstdint>

#include "explain/Position.h"

using Solution = std::array<std::uint8_t, kCells>;  // the digit of every cell

// The solutions of the position, counted up to two: 0 none, 1 exactly one,
// 2 two or more. Each open cell may take only its candidates. The first
// solution found is written to solution when it is given.
int CountSolutions(const Position& position, Solution* solution = nullptr);

// Whether every candidate of every open cell holds in some solution: then no
// sound step can change the position (a position with several solutions
// that logic cannot narrow), and there is nothing to look for.
bool EveryCandidateHolds(const Position& position);
