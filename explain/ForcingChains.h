#pragma once
// Forcing chains and nets, the last resort: what follows from assuming a
// candidate, its opposite, or each candidate of a cell or each place of a
// digit in a unit in turn. An assumption that leads to a contradiction is
// false; a literal that follows from every assumption of a complete set
// holds. Each finder gives one of the lowest rating it finds.

#include "explain/Position.h"
#include "explain/Step.h"

// Chains: each link follows from one before it, through bivalue cells and
// units with two places.
bool FindForcingChain(const Position& position, Step& step);           // one candidate, either way
bool FindDigitForcingChain(const Position& position, Step& step);      // one digit's places only, to a contradiction
bool FindMultipleForcingChain(const Position& position, Step& step);   // every candidate of a cell or place in a unit

// Nets: a link may follow from several before it (the last candidate of a
// cell, the last place in a unit). Level 0 plain, 1 also with digits locked
// in a box and a line, 2 also with nested nets of level 1.
bool FindForcingNet(const Position& position, int level, Step& step);
