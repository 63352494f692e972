#pragma once
// The techniques of the explaining solver. Each finder looks at a position
// and, when its technique applies, fills in one step and returns true; the
// step then changes the position (places a digit or removes a candidate).
// Where several instances apply, a finder gives the first in its own order,
// or, for chains and nets, one of the lowest rating.

#include "explain/Position.h"
#include "explain/Step.h"

// Singles.
bool FindFullHouse(const Position& position, Step& step);
bool FindHiddenSingleInBox(const Position& position, Step& step);
bool FindHiddenSingleInLine(const Position& position, Step& step);
bool FindNakedSingle(const Position& position, Step& step);

// A digit of a box confined to one line (pointing), or of a line to one box
// (claiming).
bool FindPointing(const Position& position, Step& step);
bool FindClaiming(const Position& position, Step& step);

// Naked and hidden subsets of size 2 to 4 within one unit.
bool FindNakedSubset(const Position& position, int size, Step& step);
bool FindHiddenSubset(const Position& position, int size, Step& step);

// Fish of size 2 (X-Wing), 3 (Swordfish) and 4 (Jellyfish), plain or finned.
bool FindFish(const Position& position, int size, Step& step);
bool FindFinnedFish(const Position& position, int size, Step& step);

// Wings of bivalue cells.
bool FindXYWing(const Position& position, Step& step);
bool FindXYZWing(const Position& position, Step& step);
bool FindWWing(const Position& position, Step& step);

// Patterns of one digit.
bool FindSkyscraper(const Position& position, Step& step);
bool FindTwoStringKite(const Position& position, Step& step);
bool FindSimpleColouring(const Position& position, Step& step);

// Patterns that would give a puzzle two solutions: only for a puzzle known to
// have exactly one.
bool FindUniqueRectangle(const Position& position, Step& step);
bool FindBugPlusOne(const Position& position, Step& step);
