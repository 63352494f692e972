// The explained solve from the givens on: real puzzles with known answers,
// every step held to the solution; puzzles without and with two solutions;
// and the board as a person has it, with a wrong entry or wrong marks.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "board/CandidateQueries.h"
#include "explain/Explanation.h"
#include "explain/StepText.h"
#include "tests/explain/PositionBuilder.h"
#include "tests/support/BoardBuilder.h"

namespace {

Digits DigitsOfLine(std::string_view line) {
  Digits digits{};
  for (int cell = 0; cell < kCells; ++cell) {
    const char c = line[static_cast<std::size_t>(cell)];
    Item(digits, cell) = static_cast<std::uint8_t>(c >= '1' && c <= '9' ? c - '0' : 0);
  }
  return digits;
}

// Every removal takes a candidate that holds in no solution, every placement
// one that holds in all: checked by the exact search alone.
void ExpectSound(Position position, const Step& step) {
  for (const Elimination& elimination : step.eliminations)
    for (int digits = elimination.digits; digits; digits &= digits - 1) {
      Position trial = position;
      Place(trial, elimination.cell, FirstDigit(digits));
      EXPECT_EQ(CountSolutions(trial), 0) << StepFullText(step);
    }
  for (const Placement& placement : step.placements) {
    Position trial = position;
    Eliminate(trial, placement.cell, placement.digit);
    EXPECT_EQ(CountSolutions(trial), 0) << StepFullText(step);
  }
}

TEST(ExplainedSolve, RatedPuzzlesAreSolvedByRightStepsAlone) {
  std::ifstream sample(std::string(TESTS_FOLDER) + "/explain/rated-sample.txt");
  std::string line;
  int puzzles = 0, hardest = 0;
  while (std::getline(sample, line)) {
    if (line.empty() || line[0] == '#') continue;
    ++puzzles;
    const ExplainedSolve solve = ExplainSolve(PositionOfDigits(DigitsOfLine(line)));
    ASSERT_EQ(solve.solutions, 1) << line;
    EXPECT_TRUE(solve.solved) << line;
    for (const Step& step : solve.steps) {
      for (const Placement& placement : step.placements)
        EXPECT_EQ(Item(solve.solution, placement.cell), placement.digit) << line << "\n" << StepFullText(step);
      for (const Elimination& elimination : step.eliminations)
        EXPECT_FALSE(elimination.digits & DigitBit(Item(solve.solution, elimination.cell)))
            << line << "\n" << StepFullText(step);
    }
    // Rated 5.0 and up on the scale it follows: the hardest step is a
    // subset, fish, uniqueness pattern, chain or net.
    EXPECT_GE(solve.rating, 50) << line;
    hardest = std::max(hardest, solve.rating);
  }
  EXPECT_EQ(puzzles, 36);
  EXPECT_GE(hardest, 85);  // the sample reaches the nets
}

TEST(ExplainedSolve, SolutionCountsAndStepsOfPuzzlesWithoutOneSolution) {
  // Two 4s in row 2: no solution, and nothing is explained.
  const char* none = ".4..2...73.4.9.1....8....5.2.....6...7.3.8.9...5.....1.6....8....9.7...31...5..4.";
  ExplainedSolve solve = ExplainSolve(PositionOfDigits(DigitsOfLine(none)));
  EXPECT_EQ(solve.solutions, 0);
  EXPECT_TRUE(solve.steps.empty());

  // A rated puzzle less four givens: many solutions. The steps stop where
  // logic must, each sound for every solution, none resting on uniqueness.
  std::string many = "...6.1...1...3...4...254.....8...5...4.....9.36..2..188.1.9.2.763.5.7.41....1....";
  for (int cell : {CellNamed("F1"), CellNamed("B5"), CellNamed("H5"), CellNamed("E9")})
    many[static_cast<std::size_t>(cell)] = '.';
  Position position = PositionOfDigits(DigitsOfLine(many));
  solve = ExplainSolve(position);
  EXPECT_EQ(solve.solutions, 2);
  EXPECT_FALSE(solve.solved);
  EXPECT_FALSE(solve.steps.empty());
  for (const Step& step : solve.steps) {
    EXPECT_NE(step.technique, Technique::kUniqueRectangle);
    EXPECT_NE(step.technique, Technique::kBugPlusOne);
    ExpectSound(position, step);
    ApplyStep(position, step);
  }
  EXPECT_TRUE(EveryCandidateHolds(solve.reached));
}

TEST(ExplainedSolve, TheBoardAsAPersonHasIt) {
  ClearBoard(gMainBoard);
  const std::string puzzle = "...6.1...1...3...4...254.....8...5...4.....9.36..2..188.1.9.2.763.5.7.41....1....";
  LoadGrid(puzzle, true);
  // The givens are the locked cells; entries and marks are not.
  SetCandidates(4, 2, "6");    // D2 entered as 6; the solution has 8
  SetCandidates(6, 4, "26");   // F4 marked 2 and 6; the solution has 3
  SetCandidates(7, 6, "47");   // G6 marked 4 and 7, the solution's 4 among them
  EXPECT_EQ(GivensOfMainBoard(), DigitsOfLine(puzzle));
  Solution solution{};
  ASSERT_EQ(CountSolutions(PositionOfDigits(GivensOfMainBoard()), &solution), 1);

  const Position board = PositionOfMainBoard();
  EXPECT_EQ(board.Value(CellNamed("D2")), 6);
  EXPECT_EQ(board.Candidates(CellNamed("G6")), DigitBit(4) | DigitBit(7));
  // An empty cell's candidates are its allowed digits.
  EXPECT_EQ(board.Candidates(CellNamed("B3")), AllowedMask(2, 3));
  EXPECT_EQ(FirstMisfit(board, solution), CellNamed("D2"));
  SetCandidates(4, 2, "");
  EXPECT_EQ(FirstMisfit(PositionOfMainBoard(), solution), CellNamed("F4"));
  SetCandidates(6, 4, "34");
  EXPECT_EQ(FirstMisfit(PositionOfMainBoard(), solution), -1);

  // Without locked cells the filled cells are the puzzle.
  ClearBoard(gMainBoard);
  LoadGrid(puzzle, false);
  EXPECT_EQ(GivensOfMainBoard(), DigitsOfLine(puzzle));
}

TEST(ExplainedSolve, SentencesInTheProgramsOwnWords) {
  Position hidden = OpenPosition();
  PlacesOnly(hidden, Row(3), 7, {"D3"});
  Step step;
  SearchOptions options;
  ASSERT_EQ(FindNextStep(hidden, options, step).outcome, SearchOutcome::kFound);
  EXPECT_EQ(StepHint(step), "Versteckter Einer in Zeile 3.");
  EXPECT_EQ(StepShortText(step), "In Zeile 3 kann die 7 nur in D3 stehen.");
  EXPECT_EQ(StepFullText(step), "Versteckter Einer: In Zeile 3 kann die 7 nur in D3 stehen.");

  Position pointing = OpenPosition();
  PlacesOnly(pointing, Box(4), 5, {"B6", "C6"});
  PlacesOnly(pointing, Row(6), 5, {"B6", "C6", "G6", "H6"});
  ASSERT_EQ(FindNextStep(pointing, options, step).outcome, SearchOutcome::kFound);
  EXPECT_EQ(StepHint(step), "Zeiger in Block 4.");
  EXPECT_EQ(StepFullText(step), "Zeiger: In Block 4 steht die 5 nur in Zeile 6, also nicht in G6 und H6.");
  step.rating = 32;
  step.technique = Technique::kXWing;
  EXPECT_EQ(RatingText(step), "Schwierigkeit 3,2: X-Wing.");
}

}  // namespace
