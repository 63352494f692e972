#pragma once
// The program's difficulty scale, in tenths: a step's rating, and a puzzle's
// (the hardest step of its explained solution). The scale is ordered like the
// widely used Sudoku Explainer scale, so the two can be compared: singles
// 1.0 to 1.7 (a naked single below the hidden ones, so that a puzzle that
// needs hidden singles rates above one that naked singles solve), locked
// digits 2.6 and 2.8, subsets and fish 3.0 to 5.4, wings
// 4.2 and 4.4, uniqueness 4.5 to 5.6, chains from 6.5, forcing nets from 8.5.
// The next step is always one of the lowest rating the position offers.

#include "explain/Step.h"

namespace rating {

constexpr int kFullHouse = 10;
constexpr int kNakedSingle = 12;
constexpr int kHiddenSingleInBox = 15;
constexpr int kHiddenSingleInLine = 17;
constexpr int kPointing = 26;
constexpr int kClaiming = 28;
constexpr int kNakedPair = 30;
constexpr int kXWing = 32;
constexpr int kHiddenPair = 34;
constexpr int kNakedTriple = 36;
constexpr int kSwordfish = 38;
constexpr int kHiddenTriple = 40;
constexpr int kXYWing = 42;
constexpr int kXYZWing = 44;
constexpr int kUniqueRectangle = 45;  // type 1; types 2 and 4 add 1, type 3 adds 2
constexpr int kNakedQuad = 50;
constexpr int kJellyfish = 52;
constexpr int kHiddenQuad = 54;
constexpr int kBugPlusOne = 56;
constexpr int kSkyscraper = 60;
constexpr int kTwoStringKite = 60;
constexpr int kFinnedXWing = 61;
constexpr int kWWing = 62;
constexpr int kFinnedSwordfish = 63;
constexpr int kFinnedJellyfish = 64;
constexpr int kSimpleColouring = 65;  // and more for a larger colouring
constexpr int kXChain = 65;           // each chain and net: this and more for its length
constexpr int kXYChain = 66;
constexpr int kAlternatingChain = 70;
constexpr int kForcingChain = 70;
constexpr int kDigitForcingChain = 75;
constexpr int kMultipleForcingChain = 80;  // from every candidate of a cell or place of a unit
constexpr int kForcingNet = 85;
constexpr int kForcingNetLocked = 90;      // nets that also use locked digits
constexpr int kForcingNetNested = 95;      // nets that also use nested contradictions

// What a chain or net of this many links adds: a tenth each time the length
// passes 4, 6, 8, 12, 16, 24, 32, 48, 64, ... (by turns half and a third more).
constexpr int LengthAddition(int links) {
  int addition = 0;
  int bound = 4;
  bool half = true;
  while (links > bound) {
    ++addition;
    bound = half ? bound * 3 / 2 : bound * 4 / 3;
    half = !half;
  }
  return addition;
}

}  // namespace rating
