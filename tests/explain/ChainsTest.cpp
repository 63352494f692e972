// Chains, nets and the pattern of two solutions, each on a real position
// (reached from a puzzle of the rated set) where it is the next step, its
// conclusion held to the position's one solution; and on the open position,
// where every candidate still holds and none of them may find anything.

#include <gtest/gtest.h>

#include "explain/Chains.h"
#include "explain/ForcingChains.h"
#include "explain/SolutionCount.h"
#include "explain/StepText.h"
#include "explain/Techniques.h"
#include "tests/explain/PositionBuilder.h"

namespace {

// Every placement and removal of the step agrees with the position's one
// solution.
void ExpectRight(const Position& position, const Step& step) {
  Solution solution{};
  ASSERT_EQ(CountSolutions(position, &solution), 1);
  ASSERT_FALSE(step.placements.empty() && step.eliminations.empty());
  for (const Placement& placement : step.placements) EXPECT_EQ(Item(solution, placement.cell), placement.digit);
  for (const Elimination& elimination : step.eliminations)
    EXPECT_FALSE(elimination.digits & DigitBit(Item(solution, elimination.cell))) << CellName(elimination.cell);
}

// The step the finder gives on the position, which must exist and be right.
void FindIn(const char* cells, bool (*find)(const Position&, Step&), Step& step) {
  const Position position = PositionOfCells(cells);
  ASSERT_TRUE(find(position, step));
  ExpectRight(position, step);
}

bool Net0(const Position& p, Step& s) { return FindForcingNet(p, 0, s); }
bool Net2(const Position& p, Step& s) { return FindForcingNet(p, 2, s); }

constexpr const char* kXChainPosition =
    "1 3 79 8 49 2 479 5 6  8 49 2 7 6 5 3 49 1  67 459 569 14 3 19 479 2 8  59 59 8 2 7 4 1 6 3  2 6 1 3 5 8 49 7 49 "
    " 4 7 3 9 1 6 5 8 2  3 8 479 6 49 179 2 14 5  59 2 459 14 8 3 6 149 7  67 1 46 5 2 79 8 3 49";
constexpr const char* kXYChainPosition =
    "2 3 167 9 67 5 4 168 78  8 67 4 1 3 2 67 5 9  567 9 1567 8 67 4 167 2 3  4 8 67 3 2 1 9 67 5  3 67 2 4 5 9 8 167 "
    "16  1 5 9 6 8 7 3 4 2  9 4 58 2 1 6 57 3 78  67 1 678 5 9 3 2 68 4  56 2 3 7 4 8 156 9 16";
constexpr const char* kAlternatingPosition =
    "1468 1345 36 12567 259 368 2578 25789 1259  168 135 9 12567 25 368 4 2578 125  7 2 15 15 4 89 89 6 3  49 459 7 "
    "256 1 46 38 38 259  19 8 125 3 259 7 256 4 2569  3 6 245 25 8 49 259 1 7  269 379 36 8 367 1 23567 23579 4  269 "
    "379 8 4 367 5 1 2379 269  5 14 14 9 367 2 367 37 8";

TEST(ExplainChains, AlternatingChainsOfEachKind) {
  Step step;
  ASSERT_NO_FATAL_FAILURE(FindIn(kXChainPosition, FindXChain, step));
  EXPECT_EQ(step.technique, Technique::kXChain);
  EXPECT_EQ(StepShortText(step), "E1 oder G5 ist die 9, also nicht in G1.");
  for (const Link& link : step.chain.branches[0]) EXPECT_EQ(link.literal.digit, 9);

  ASSERT_NO_FATAL_FAILURE(FindIn(kXYChainPosition, FindXYChain, step));
  EXPECT_EQ(step.technique, Technique::kXYChain);
  EXPECT_EQ(StepShortText(step), "I1 oder H8 ist die 8, also nicht in H1 und I7.");
  // Each strong link lies within a cell of two candidates.
  const std::vector<Link>& links = step.chain.branches[0];
  for (std::size_t i = 1; i < links.size(); i += 2) EXPECT_EQ(links[i].literal.cell, links[i - 1].literal.cell);

  ASSERT_NO_FATAL_FAILURE(FindIn(kAlternatingPosition, FindAlternatingChain, step));
  EXPECT_EQ(step.technique, Technique::kAlternatingChain);
  EXPECT_EQ(StepShortText(step), "A4 oder G6 ist die 9, also nicht in I4.");
}

TEST(ExplainChains, ForcingChainsOfEachForm) {
  Step step;
  ASSERT_NO_FATAL_FAILURE(FindIn(
      "47 1457 3 6 147 9 2 1457 8  467 8 167 5 2 3 147 9 147  2 14579 1579 47 8 17 3 1457 6  1 579 8 3 567 4 579 67 2 "
      " 479 6 579 8 157 2 14579 3 1457  347 3457 2 9 1567 1567 8 1467 1457  369 2 1679 47 34567 567 1457 8 13457  8 137 4 "
      "2 9 57 6 17 1357  5 37 67 1 3467 8 47 2 9",
      FindDigitForcingChain, step));
  // Of one digit's places alone.
  EXPECT_EQ(step.chain.form, ChainForm::kContradiction);
  for (const Link& link : step.chain.branches[0]) EXPECT_EQ(link.literal.digit, 4);
  EXPECT_EQ(StepHint(step), "Widerspruchskette ab A1.");

  ASSERT_NO_FATAL_FAILURE(FindIn(
      "6 258 9 357 2357 4 237 238 1  4 28 3 179 2679 126 5 268 67  7 1 25 8 2356 2356 236 4 9  9 2357 125 6 157 8 4 235 "
      "357  138 23567 12568 1357 4 135 1267 9 567  13 3567 4 2 1357 9 1367 356 8  2 4 68 59 5689 7 36 1 356  138 36 7 15 "
      "258 1256 9 56 4  5 9 16 4 136 136 8 7 2",
      FindMultipleForcingChain, step));
  EXPECT_EQ(step.chain.form, ChainForm::kEveryCandidate);
  EXPECT_EQ(step.chain.branches.size(), 3u);  // H6 holds 3, 5 and 6
  EXPECT_EQ(StepShortText(step), "Welche Ziffer auch in H6 steht: die 5 steht nicht in H4.");
}

TEST(ExplainChains, ForcingNetsOfEachForm) {
  Step step;
  ASSERT_NO_FATAL_FAILURE(FindIn(
      "3678 9 3678 1 4 2 567 3567 35  1367 13467 2 567 9 35 8 1367 134  5 13467 1367 67 378 38 146 2 9  1368 136 4 9 5 7 "
      "2 136 138  1378 5 1378 4 2 6 17 9 138  9 2 67 8 13 13 4567 567 45  167 8 1567 3 167 9 15 4 2  4 16 9 2 168 158 3 "
      "158 7  2 137 135 57 178 4 9 158 6",
      Net0, step));
  EXPECT_EQ(step.technique, Technique::kForcingNet);
  EXPECT_EQ(step.chain.form, ChainForm::kContradiction);
  // A net: some link follows from several before it.
  bool joined = false;
  for (const Link& link : step.chain.branches[0]) joined = joined || link.from.size() > 1;
  EXPECT_TRUE(joined);

  ASSERT_NO_FATAL_FAILURE(FindIn(
      "259 259 239 8 7 4 6 359 1  458 1 47 9 3 6 58 2 57  89 379 6 125 15 12 4 3789 379  1 49 8 3 4569 7 2 56 459  249 "
      "237 5 46 4689 89 1 67 3479  6 347 379 15 2 159 39 34579 8  2459 569 249 7 145689 123589 3589 34589 3459  7 8 249 "
      "245 459 235 359 1 6  3 4569 1 456 45689 589 7 4589 2",
      Net0, step));
  EXPECT_EQ(step.chain.form, ChainForm::kBothWays);
  EXPECT_EQ(step.chain.branches.size(), 2u);

  // The hardest puzzles need nets within nets.
  ASSERT_NO_FATAL_FAILURE(FindIn(
      "1 2568 2468 458 345 7 246 9 346  457 3 46 1459 2 59 1467 467 8  2478 278 9 6 134 138 5 2347 134  2478 278 5 3 "
      "167 126 9 4678 146  479 1 34 579 8 569 467 34567 2  6 2789 238 12579 1579 4 178 3578 135  3 25689 268 24578 45679 "
      "2568 2468 1 4569  2589 4 1 2589 3569 3568 268 2568 7  2589 25689 7 12458 14569 12568 3 24568 4569",
      Net2, step));
  EXPECT_EQ(step.chain.level, 2);
  Step plain;
  EXPECT_FALSE(FindForcingNet(PositionOfCells(
                                  "1 2568 2468 458 345 7 246 9 346  457 3 46 1459 2 59 1467 467 8  2478 278 9 6 134 138 "
                                  "5 2347 134  2478 278 5 3 167 126 9 4678 146  479 1 34 579 8 569 467 34567 2  6 2789 "
                                  "238 12579 1579 4 178 3578 135  3 25689 268 24578 45679 2568 2468 1 4569  2589 4 1 "
                                  "2589 3569 3568 268 2568 7  2589 25689 7 12458 14569 12568 3 24568 4569"),
                              1, plain));
  bool nested = false;
  for (const auto& branch : step.chain.branches)
    for (const Link& link : branch) nested = nested || (link.reason == Reason::kNested && !link.nested.empty());
  EXPECT_TRUE(nested);
}

TEST(ExplainChains, BugPlusOnePlacesTheDigitOfThreePlaces) {
  Step step;
  ASSERT_NO_FATAL_FAILURE(FindIn(
      "15 8 3 15 4 2 6 7 9  7 2 9 6 35 13 8 4 15  6 45 14 9 8 7 3 2 15  4 1 28 25 57 68 9 3 67  38 7 6 4 9 38 5 1 2  23 "
      "9 5 12 37 136 4 8 67  15 45 14 3 2 9 7 6 8  28 3 28 7 6 5 1 9 4  9 6 7 8 1 4 2 5 3",
      FindBugPlusOne, step));
  EXPECT_EQ(step.cells, std::vector<int>{CellNamed("F6")});
  EXPECT_EQ(step.placements[0].digit, 3);
}

TEST(ExplainChains, NothingIsFoundWhereEveryCandidateHolds) {
  const Position open = OpenPosition();
  EXPECT_TRUE(EveryCandidateHolds(open));
  Step step;
  EXPECT_FALSE(FindXChain(open, step));
  EXPECT_FALSE(FindXYChain(open, step));
  EXPECT_FALSE(FindAlternatingChain(open, step));
  EXPECT_FALSE(FindForcingChain(open, step));
  EXPECT_FALSE(FindMultipleForcingChain(open, step));
  EXPECT_FALSE(FindForcingNet(open, 1, step));
  EXPECT_FALSE(FindBugPlusOne(open, step));
  EXPECT_FALSE(EveryCandidateHolds(PositionOfCells(kXChainPosition)));
}

}  // namespace
