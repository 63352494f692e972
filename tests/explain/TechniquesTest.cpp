// Each technique on a small position made by hand where it applies, and on a
// near miss where it must not. The patterns lie off the diagonal and away
// from row and column 1, so that a swapped row and column fails.

#include <gtest/gtest.h>

#include "explain/Chains.h"
#include "explain/Techniques.h"
#include "tests/explain/PositionBuilder.h"

namespace {

using Finder = bool (*)(const Position&, Step&);

// The step the finder gives, which must exist.
Step Found(Finder find, const Position& position) {
  Step step;
  EXPECT_TRUE(find(position, step));
  return step;
}

bool Applies(Finder find, const Position& position) {
  Step step;
  return find(position, step);
}

bool NakedPair(const Position& p, Step& s) { return FindNakedSubset(p, 2, s); }
bool NakedTriple(const Position& p, Step& s) { return FindNakedSubset(p, 3, s); }
bool NakedQuad(const Position& p, Step& s) { return FindNakedSubset(p, 4, s); }
bool HiddenPair(const Position& p, Step& s) { return FindHiddenSubset(p, 2, s); }
bool HiddenTriple(const Position& p, Step& s) { return FindHiddenSubset(p, 3, s); }
bool HiddenQuad(const Position& p, Step& s) { return FindHiddenSubset(p, 4, s); }
bool XWing(const Position& p, Step& s) { return FindFish(p, 2, s); }
bool Swordfish(const Position& p, Step& s) { return FindFish(p, 3, s); }
bool Jellyfish(const Position& p, Step& s) { return FindFish(p, 4, s); }
bool FinnedXWing(const Position& p, Step& s) { return FindFinnedFish(p, 2, s); }

TEST(ExplainSingles, EachFindsItsCellAndDigitAndNoMore) {
  // Row 6 full but for E6, which lacks the 5.
  Position full = PositionOfLine(std::string(45, '.') + "1234.6789" + std::string(27, '.'));
  Step step = Found(FindFullHouse, full);
  EXPECT_EQ(step.cells, std::vector<int>{CellNamed("E6")});
  EXPECT_EQ(step.placements[0].digit, 5);
  EXPECT_EQ(step.units, std::vector<int>{Row(6)});
  full = PositionOfLine(std::string(45, '.') + "1234..789" + std::string(27, '.'));
  EXPECT_FALSE(Applies(FindFullHouse, full));

  // In row 3 the 7 fits only D3; no box has a single place.
  Position hidden = OpenPosition();
  PlacesOnly(hidden, Row(3), 7, {"D3"});
  step = Found(FindHiddenSingleInLine, hidden);
  EXPECT_EQ(step.cells, std::vector<int>{CellNamed("D3")});
  EXPECT_EQ(step.placements[0].digit, 7);
  EXPECT_EQ(step.units, std::vector<int>{Row(3)});
  EXPECT_FALSE(Applies(FindHiddenSingleInBox, hidden));
  hidden = OpenPosition();
  PlacesOnly(hidden, Row(3), 7, {"D3", "F3"});
  EXPECT_FALSE(Applies(FindHiddenSingleInLine, hidden));

  // In box 8 the 4 fits only F7.
  hidden = OpenPosition();
  PlacesOnly(hidden, Box(8), 4, {"F7"});
  step = Found(FindHiddenSingleInBox, hidden);
  EXPECT_EQ(step.cells, std::vector<int>{CellNamed("F7")});
  EXPECT_EQ(step.units, std::vector<int>{Box(8)});

  Position naked = OpenPosition();
  SetCandidates(naked, "F4", "4");
  step = Found(FindNakedSingle, naked);
  EXPECT_EQ(step.cells, std::vector<int>{CellNamed("F4")});
  EXPECT_EQ(step.placements[0].digit, 4);
  naked = OpenPosition();
  SetCandidates(naked, "F4", "48");
  EXPECT_FALSE(Applies(FindNakedSingle, naked));
}

TEST(ExplainIntersections, PointingAndClaimingRemoveTheDigitFromTheOtherUnit) {
  Position pointing = OpenPosition();
  PlacesOnly(pointing, Box(6), 5, {"G6", "H6"});
  Step step = Found(FindPointing, pointing);
  EXPECT_EQ(step.units, (std::vector<int>{Box(6), Row(6)}));
  EXPECT_EQ(Removals(step), "A6:5 B6:5 C6:5 D6:5 E6:5 F6:5");
  pointing = OpenPosition();
  PlacesOnly(pointing, Box(6), 5, {"G6", "H5"});
  EXPECT_FALSE(Applies(FindPointing, pointing));

  Position claiming = OpenPosition();
  PlacesOnly(claiming, Row(7), 2, {"D7", "E7"});
  step = Found(FindClaiming, claiming);
  EXPECT_EQ(step.units, (std::vector<int>{Row(7), Box(8)}));
  EXPECT_EQ(Removals(step), "D8:2 E8:2 F8:2 D9:2 E9:2 F9:2");
  claiming = OpenPosition();
  PlacesOnly(claiming, Row(7), 2, {"D7", "G7"});
  EXPECT_FALSE(Applies(FindClaiming, claiming));
}

TEST(ExplainSubsets, NakedSubsetsClearTheirDigitsFromTheRestOfTheUnit) {
  Position pair = OpenPosition();
  SetCandidates(pair, "F3", "29");
  SetCandidates(pair, "F7", "29");
  Step step = Found(NakedPair, pair);
  EXPECT_EQ(step.units, std::vector<int>{Column('F')});
  EXPECT_EQ(Removals(step), "F1:29 F2:29 F4:29 F5:29 F6:29 F8:29 F9:29");
  pair = OpenPosition();
  SetCandidates(pair, "F3", "29");
  SetCandidates(pair, "F7", "289");
  EXPECT_FALSE(Applies(NakedPair, pair));

  Position triple = OpenPosition();
  SetCandidates(triple, "E4", "13");
  SetCandidates(triple, "D5", "37");
  SetCandidates(triple, "F6", "17");
  step = Found(NakedTriple, triple);
  EXPECT_EQ(step.units, std::vector<int>{Box(5)});
  EXPECT_EQ(Removals(step), "D4:137 F4:137 E5:137 F5:137 D6:137 E6:137");
  triple = OpenPosition();
  SetCandidates(triple, "E4", "13");
  SetCandidates(triple, "D5", "37");
  SetCandidates(triple, "F6", "18");
  EXPECT_FALSE(Applies(NakedTriple, triple));

  Position quad = OpenPosition();
  SetCandidates(quad, "B8", "24");
  SetCandidates(quad, "D8", "46");
  SetCandidates(quad, "G8", "68");
  SetCandidates(quad, "H8", "28");
  EXPECT_FALSE(Applies(NakedTriple, quad));
  step = Found(NakedQuad, quad);
  EXPECT_EQ(step.units, std::vector<int>{Row(8)});
  EXPECT_EQ(Removals(step), "A8:2468 C8:2468 E8:2468 F8:2468 I8:2468");
}

TEST(ExplainSubsets, HiddenSubsetsClearTheOtherDigitsOfTheirCells) {
  Position pair = OpenPosition();
  PlacesOnly(pair, Box(9), 3, {"H7", "I9"});
  PlacesOnly(pair, Box(9), 5, {"H7", "I9"});
  Step step = Found(HiddenPair, pair);
  EXPECT_EQ(step.units, std::vector<int>{Box(9)});
  EXPECT_EQ(Removals(step), "H7:1246789 I9:1246789");
  pair = OpenPosition();
  PlacesOnly(pair, Box(9), 3, {"H7", "I9"});
  PlacesOnly(pair, Box(9), 5, {"H7", "I9", "G8"});
  EXPECT_FALSE(Applies(HiddenPair, pair));

  Position triple = OpenPosition();
  PlacesOnly(triple, Column('E'), 1, {"E2", "E5"});
  PlacesOnly(triple, Column('E'), 6, {"E5", "E8"});
  PlacesOnly(triple, Column('E'), 9, {"E2", "E8"});
  step = Found(HiddenTriple, triple);
  EXPECT_EQ(step.units, std::vector<int>{Column('E')});
  EXPECT_EQ(Removals(step), "E2:234578 E5:234578 E8:234578");

  Position quad = OpenPosition();
  PlacesOnly(quad, Row(4), 2, {"C4", "E4"});
  PlacesOnly(quad, Row(4), 3, {"E4", "G4"});
  PlacesOnly(quad, Row(4), 7, {"G4", "I4"});
  PlacesOnly(quad, Row(4), 9, {"I4", "C4"});
  EXPECT_FALSE(Applies(HiddenTriple, quad));
  step = Found(HiddenQuad, quad);
  EXPECT_EQ(Removals(step), "C4:14568 E4:14568 G4:14568 I4:14568");
  quad = OpenPosition();
  PlacesOnly(quad, Row(4), 2, {"C4", "E4"});
  PlacesOnly(quad, Row(4), 3, {"E4", "G4"});
  PlacesOnly(quad, Row(4), 7, {"G4", "I4"});
  PlacesOnly(quad, Row(4), 9, {"I4", "C4", "H4"});
  EXPECT_FALSE(Applies(HiddenQuad, quad));
}

TEST(ExplainFish, PlainFishClearTheirCoverLines) {
  Position xWing = OpenPosition();
  PlacesOnly(xWing, Row(3), 5, {"C3", "G3"});
  PlacesOnly(xWing, Row(7), 5, {"C7", "G7"});
  Step step = Found(XWing, xWing);
  EXPECT_EQ(step.units, (std::vector<int>{Row(3), Row(7), Column('C'), Column('G')}));
  EXPECT_EQ(Removals(step), "C1:5 G1:5 C2:5 G2:5 C4:5 G4:5 C5:5 G5:5 C6:5 G6:5 C8:5 G8:5 C9:5 G9:5");
  xWing = OpenPosition();
  PlacesOnly(xWing, Row(3), 5, {"C3", "G3"});
  PlacesOnly(xWing, Row(7), 5, {"C7", "E7", "G7"});
  EXPECT_FALSE(Applies(XWing, xWing));

  Position swordfish = OpenPosition();
  PlacesOnly(swordfish, Row(2), 4, {"B2", "E2"});
  PlacesOnly(swordfish, Row(5), 4, {"E5", "H5"});
  PlacesOnly(swordfish, Row(8), 4, {"B8", "H8"});
  EXPECT_FALSE(Applies(XWing, swordfish));
  step = Found(Swordfish, swordfish);
  EXPECT_EQ(step.units, (std::vector<int>{Row(2), Row(5), Row(8), Column('B'), Column('E'), Column('H')}));
  EXPECT_EQ(Removals(step),
            "B1:4 E1:4 H1:4 B3:4 E3:4 H3:4 B4:4 E4:4 H4:4 B6:4 E6:4 H6:4 B7:4 E7:4 H7:4 B9:4 E9:4 H9:4");

  // Base lines crosswise: columns C, D, F and H cover rows 2, 4, 6 and 9.
  Position jellyfish = OpenPosition();
  PlacesOnly(jellyfish, Column('C'), 8, {"C2", "C4"});
  PlacesOnly(jellyfish, Column('D'), 8, {"D4", "D6"});
  PlacesOnly(jellyfish, Column('F'), 8, {"F6", "F9"});
  PlacesOnly(jellyfish, Column('H'), 8, {"H9", "H2"});
  step = Found(Jellyfish, jellyfish);
  EXPECT_EQ(step.units, (std::vector<int>{Column('C'), Column('D'), Column('F'), Column('H'), Row(2), Row(4), Row(6),
                                         Row(9)}));
  EXPECT_EQ(Removals(step),
            "A2:8 B2:8 E2:8 G2:8 I2:8 A4:8 B4:8 E4:8 G4:8 I4:8 A6:8 B6:8 E6:8 G6:8 I6:8 A9:8 B9:8 E9:8 G9:8 I9:8");
  jellyfish = OpenPosition();
  PlacesOnly(jellyfish, Column('C'), 8, {"C2", "C4"});
  PlacesOnly(jellyfish, Column('D'), 8, {"D4", "D6"});
  PlacesOnly(jellyfish, Column('F'), 8, {"F6", "F9"});
  PlacesOnly(jellyfish, Column('H'), 8, {"H9", "H3"});
  EXPECT_FALSE(Applies(Jellyfish, jellyfish));
}

TEST(ExplainFish, AFinRestrictsTheRemovalsToItsBox) {
  Position finned = OpenPosition();
  PlacesOnly(finned, Row(4), 6, {"C4", "H4"});
  PlacesOnly(finned, Row(8), 6, {"C8", "G8", "H8"});
  EXPECT_FALSE(Applies(XWing, finned));
  const Step step = Found(FinnedXWing, finned);
  EXPECT_EQ(step.fins, std::vector<int>{CellNamed("G8")});
  EXPECT_EQ(Removals(step), "H7:6 H9:6");
  // A second fin in another box.
  finned = OpenPosition();
  PlacesOnly(finned, Row(4), 6, {"C4", "H4"});
  PlacesOnly(finned, Row(8), 6, {"A8", "C8", "G8", "H8"});
  EXPECT_FALSE(Applies(FinnedXWing, finned));
}

TEST(ExplainWings, EachWingTakesItsDigitFromTheCellsThatSeeItsEnds) {
  Position xy = OpenPosition();
  SetCandidates(xy, "F4", "27");
  SetCandidates(xy, "F8", "25");
  SetCandidates(xy, "H4", "57");
  Step step = Found(FindXYWing, xy);
  EXPECT_EQ(step.cells, (std::vector<int>{CellNamed("F4"), CellNamed("H4"), CellNamed("F8")}));
  EXPECT_EQ(Removals(step), "H8:5");
  SetCandidates(xy, "H4", "7");
  EXPECT_FALSE(Applies(FindXYWing, xy));

  Position xyz = OpenPosition();
  SetCandidates(xyz, "D6", "148");
  SetCandidates(xyz, "D2", "18");
  SetCandidates(xyz, "F5", "48");
  step = Found(FindXYZWing, xyz);
  EXPECT_EQ(step.cells[0], CellNamed("D6"));
  EXPECT_EQ(Removals(step), "D4:8 D5:8");
  SetCandidates(xyz, "F5", "4");
  EXPECT_FALSE(Applies(FindXYZWing, xyz));

  Position w = OpenPosition();
  SetCandidates(w, "C3", "46");
  SetCandidates(w, "G8", "46");
  PlacesOnly(w, Row(5), 4, {"C5", "G5"});
  step = Found(FindWWing, w);
  EXPECT_EQ(step.units, std::vector<int>{Row(5)});
  EXPECT_EQ(Removals(step), "G3:6 C8:6");
  w = OpenPosition();
  PlacesOnly(w, Row(5), 4, {"C5", "E5", "G5"});
  SetCandidates(w, "C3", "46");
  SetCandidates(w, "G8", "46");
  EXPECT_FALSE(Applies(FindWWing, w));
}

TEST(ExplainSingleDigitPatterns, SkyscraperKiteAndColouring) {
  Position skyscraper = OpenPosition();
  PlacesOnly(skyscraper, Column('B'), 9, {"B2", "B7"});
  PlacesOnly(skyscraper, Column('F'), 9, {"F2", "F8"});
  Step step = Found(FindSkyscraper, skyscraper);
  EXPECT_EQ(Removals(step), "D7:9 E7:9 A8:9 C8:9");
  skyscraper = OpenPosition();
  PlacesOnly(skyscraper, Column('B'), 9, {"B2", "B7"});
  PlacesOnly(skyscraper, Column('F'), 9, {"F2", "F5", "F8"});
  EXPECT_FALSE(Applies(FindSkyscraper, skyscraper));

  Position kite = OpenPosition();
  PlacesOnly(kite, Row(5), 3, {"D5", "H5"});
  PlacesOnly(kite, Column('E'), 3, {"E4", "E8"});
  step = Found(FindTwoStringKite, kite);
  EXPECT_EQ(Removals(step), "H8:3");
  kite = OpenPosition();
  PlacesOnly(kite, Row(5), 3, {"D5", "H5"});
  PlacesOnly(kite, Column('E'), 3, {"E4", "E6", "E8"});
  EXPECT_FALSE(Applies(FindTwoStringKite, kite));

  // B4 and F7 against F4 and D8: B8 sees B4 and D8, one of which is the 7.
  Position colouring = OpenPosition();
  PlacesOnly(colouring, Row(4), 7, {"B4", "F4"});
  PlacesOnly(colouring, Column('F'), 7, {"F4", "F7"});
  PlacesOnly(colouring, Box(8), 7, {"F7", "D8"});
  step = Found(FindSimpleColouring, colouring);
  EXPECT_EQ(Removals(step), "B8:7");
  colouring = OpenPosition();
  PlacesOnly(colouring, Row(4), 7, {"B4", "F4"});
  PlacesOnly(colouring, Column('F'), 7, {"F4", "F7"});
  PlacesOnly(colouring, Box(8), 7, {"F7", "D8", "E9"});
  EXPECT_FALSE(Applies(FindSimpleColouring, colouring));
}

TEST(ExplainUniqueness, RectanglesOfTheirThreeTypes) {
  Position rectangle = OpenPosition();
  for (const char* corner : {"D2", "F2", "D7"}) SetCandidates(rectangle, corner, "38");
  SetCandidates(rectangle, "F7", "358");
  Step step = Found(FindUniqueRectangle, rectangle);
  EXPECT_EQ(step.variant, 1);
  EXPECT_EQ(Removals(step), "F7:38");

  rectangle = OpenPosition();
  SetCandidates(rectangle, "D2", "38");
  SetCandidates(rectangle, "F2", "38");
  SetCandidates(rectangle, "D7", "368");
  SetCandidates(rectangle, "F7", "368");
  step = Found(FindUniqueRectangle, rectangle);
  EXPECT_EQ(step.variant, 2);
  EXPECT_EQ(Removals(step), "A7:6 B7:6 C7:6 E7:6 G7:6 H7:6 I7:6 D8:6 E8:6 F8:6 D9:6 E9:6 F9:6");

  rectangle = OpenPosition();
  SetCandidates(rectangle, "D2", "38");
  SetCandidates(rectangle, "F2", "38");
  SetCandidates(rectangle, "D7", "358");
  SetCandidates(rectangle, "F7", "389");
  PlacesOnly(rectangle, Row(7), 3, {"D7", "F7"});
  step = Found(FindUniqueRectangle, rectangle);
  EXPECT_EQ(step.variant, 4);
  EXPECT_EQ(Removals(step), "D7:8 F7:8");

  // Over four boxes the corners could not swap alone: no rectangle.
  rectangle = OpenPosition();
  for (const char* corner : {"D2", "H2", "D7"}) SetCandidates(rectangle, corner, "38");
  SetCandidates(rectangle, "H7", "358");
  EXPECT_FALSE(Applies(FindUniqueRectangle, rectangle));
}

TEST(ExplainChains, HandMadeXChainAndXYChain) {
  // Three strong links of the 6: box 1 (B2, C3), column F (F3, F7), box 9
  // (G7, H8), joined by weak links in rows 3 and 7. B2 or H8 holds the 6.
  // (B7 and H3, which two links would already clear, hold no 6.)
  auto xChain = [](std::vector<std::string_view> columnF) {
    Position position = OpenPosition();
    PlacesOnly(position, Box(1), 6, {"B2", "C3"});
    PlacesOnly(position, Column('F'), 6, columnF);
    PlacesOnly(position, Box(9), 6, {"G7", "H8"});
    Eliminate(position, CellNamed("B7"), 6);
    Eliminate(position, CellNamed("H3"), 6);
    return position;
  };
  Step step = Found(FindXChain, xChain({"F3", "F7"}));
  EXPECT_EQ(Removals(step), "H2:6 B8:6");
  EXPECT_EQ(step.chain.branches[0].size(), 6u);
  EXPECT_FALSE(Applies(FindSkyscraper, xChain({"F3", "F7"})));
  EXPECT_FALSE(Applies(FindXChain, xChain({"F3", "F5", "F7"}))) << "column F no strong link";

  // Four cells of two candidates, each seeing the next: C3 {1,2}, C7 {2,3},
  // G7 {3,4}, G5 {4,1}. C3 or G5 holds the 1.
  auto xyChain = [](std::string_view last) {
    Position position = OpenPosition();
    SetCandidates(position, "C3", "12");
    SetCandidates(position, "C7", "23");
    SetCandidates(position, "G7", "34");
    SetCandidates(position, "G5", last);
    return position;
  };
  step = Found(FindXYChain, xyChain("14"));
  EXPECT_EQ(Removals(step), "G3:1 C5:1");
  EXPECT_FALSE(Applies(FindXYWing, xyChain("14")));
  EXPECT_FALSE(Applies(FindXYChain, xyChain("45")));
}

}  // namespace
