#pragma once
// The next step a person can see: the techniques tried from the lowest
// rating up, the first that applies, or among chains and nets one of the
// lowest rating.

#include "explain/Position.h"
#include "explain/SearchWatch.h"
#include "explain/Step.h"

struct SearchOptions {
  bool uniqueness = false;  // the puzzle has exactly one solution: patterns that rest on that, and nested
                            // nets, may be used
  int fromTier = 0;         // the first technique tier to try (one a search that took long reached)
  int blinkMilliseconds = 0;  // > 0: give up once the search takes longer, reporting kTakesLong
  bool polls = false;       // poll for STOP as it goes (through PollForStop), reporting kStopped
};


struct SearchResult {
  SearchOutcome outcome = SearchOutcome::kNone;
  int tier = 0;  // kTakesLong, kStopped: the tier the search was in
};

SearchResult FindNextStep(const Position& position, const SearchOptions& options, Step& step);

// Applies a step's placements and eliminations.
void ApplyStep(Position& position, const Step& step);
