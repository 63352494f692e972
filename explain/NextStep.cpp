#include "explain/NextStep.h"

#include "explain/Chains.h"
#include "explain/ForcingChains.h"
#include "explain/Ratings.h"
#include "explain/SolutionCount.h"
#include "explain/Techniques.h"

namespace {

using Finder = bool (*)(const Position&, Step&);

struct Tier {
  int baseRating;     // no step of the tier rates lower
  Finder find;
  // Only for a puzzle with exactly one solution: the uniqueness patterns,
  // which rest on it, and nested nets, the last resort of the hardest such
  // puzzles, which on a board with many solutions cost seconds to find what
  // cannot complete it anyway.
  bool onlyOneSolution;
  bool costly = false;  // searches the whole position for each candidate
};

// The tiers by rating; a tier of chains or nets gives its lowest rating,
// which later tiers may still beat.
constexpr Tier kTiers[] = {
    {rating::kFullHouse, FindFullHouse, false},
    {rating::kNakedSingle, FindNakedSingle, false},
    {rating::kHiddenSingleInBox, FindHiddenSingleInBox, false},
    {rating::kHiddenSingleInLine, FindHiddenSingleInLine, false},
    {rating::kPointing, FindPointing, false},
    {rating::kClaiming, FindClaiming, false},
    {rating::kNakedPair, [](const Position& p, Step& s) { return FindNakedSubset(p, 2, s); }, false},
    {rating::kXWing, [](const Position& p, Step& s) { return FindFish(p, 2, s); }, false},
    {rating::kHiddenPair, [](const Position& p, Step& s) { return FindHiddenSubset(p, 2, s); }, false},
    {rating::kNakedTriple, [](const Position& p, Step& s) { return FindNakedSubset(p, 3, s); }, false},
    {rating::kSwordfish, [](const Position& p, Step& s) { return FindFish(p, 3, s); }, false},
    {rating::kHiddenTriple, [](const Position& p, Step& s) { return FindHiddenSubset(p, 3, s); }, false},
    {rating::kXYWing, FindXYWing, false},
    {rating::kXYZWing, FindXYZWing, false},
    {rating::kUniqueRectangle, FindUniqueRectangle, true},
    {rating::kNakedQuad, [](const Position& p, Step& s) { return FindNakedSubset(p, 4, s); }, false},
    {rating::kJellyfish, [](const Position& p, Step& s) { return FindFish(p, 4, s); }, false},
    {rating::kHiddenQuad, [](const Position& p, Step& s) { return FindHiddenSubset(p, 4, s); }, false},
    {rating::kBugPlusOne, FindBugPlusOne, true},
    {rating::kSkyscraper, FindSkyscraper, false},
    {rating::kTwoStringKite, FindTwoStringKite, false},
    {rating::kFinnedXWing, [](const Position& p, Step& s) { return FindFinnedFish(p, 2, s); }, false},
    {rating::kWWing, FindWWing, false},
    {rating::kFinnedSwordfish, [](const Position& p, Step& s) { return FindFinnedFish(p, 3, s); }, false},
    {rating::kFinnedJellyfish, [](const Position& p, Step& s) { return FindFinnedFish(p, 4, s); }, false},
    {rating::kSimpleColouring, FindSimpleColouring, false},
    {rating::kXChain, FindXChain, false},
    {rating::kXYChain, FindXYChain, false},
    {rating::kAlternatingChain, FindAlternatingChain, false, true},
    {rating::kForcingChain, FindForcingChain, false, true},
    {rating::kDigitForcingChain, FindDigitForcingChain, false, true},
    {rating::kMultipleForcingChain, FindMultipleForcingChain, false, true},
    {rating::kForcingNet, [](const Position& p, Step& s) { return FindForcingNet(p, 0, s); }, false, true},
    {rating::kForcingNetLocked, [](const Position& p, Step& s) { return FindForcingNet(p, 1, s); }, false, true},
    {rating::kForcingNetNested, [](const Position& p, Step& s) { return FindForcingNet(p, 2, s); }, true, true},
};
constexpr int kTierCount = static_cast<int>(std::size(kTiers));

}  // namespace

SearchResult FindNextStep(const Position& position, const SearchOptions& options, Step& step) {
  StartSearchWatch(options.blinkMilliseconds, options.polls);
  bool found = false, checkedHolds = false;
  int foundTier = 0;
  for (int tier = options.fromTier; tier < kTierCount; ++tier) {
    const Tier& t = Item(kTiers, tier);
    if (found && t.baseRating >= step.rating) break;
    if (t.onlyOneSolution && !options.uniqueness) continue;
    // Where every candidate holds in some solution no step exists, and a
    // position without solution has nothing to explain: the costly
    // techniques need not look.
    if (t.costly && !found && !checkedHolds) {
      checkedHolds = true;
      if (CountSolutions(position) == 0 || EveryCandidateHolds(position)) break;
    }
    Step candidate;
    const bool applies = t.find(position, candidate);
    if (SearchInterrupted()) {
      // A search taken up again starts from the tier of the best step so far.
      StopSearchWatch();
      return {SearchInterruption(), found ? foundTier : tier};
    }
    if (applies && (!found || candidate.rating < step.rating)) {
      step = std::move(candidate);
      found = true;
      foundTier = tier;
    }
  }
  StopSearchWatch();
  return {found ? SearchOutcome::kFound : SearchOutcome::kNone, 0};
}

void ApplyStep(Position& position, const Step& step) {
  for (const Elimination& elimination : step.eliminations)
    for (int digits = elimination.digits; digits; digits &= digits - 1)
      Eliminate(position, elimination.cell, FirstDigit(digits));
  for (const Placement& placement : step.placements)
    if (position.IsOpen(placement.cell)) Place(position, placement.cell, placement.digit);
}
