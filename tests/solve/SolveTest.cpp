#include "solve/Solve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "board/CandidateQueries.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TextRules.h"

namespace {

using scripted::gScript;

class SolveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    scripted::Reset();
  }
  static std::vector<std::string> LoesenFertig() { return {kSolvingText, kDoneText}; }
};

TEST_F(SolveTest, CompleteBoardTakesOnePassAndReturnsOne) {
  LoadGrid(SolvedGrid());
  const Board before = gMainBoard;
  EXPECT_EQ(Solve(1), 1);
  EXPECT_EQ(gScript.polls, 1);
  EXPECT_EQ(gMainBoard, before);
  EXPECT_EQ(gScript.statusTexts, LoesenFertig());
}

TEST_F(SolveTest, EmptyBoardRunsEveryPassAndFillsNothing) {
  EXPECT_EQ(Solve(81), 0);
  EXPECT_EQ(gScript.polls, kSolvePassLimit);
  EXPECT_EQ(gMainBoard, Board{});
  EXPECT_EQ(scripted::StatusText(), kDoneText);
}

TEST_F(SolveTest, OneStepFillsTheFirstFillableCellInReadingOrder) {
  std::string grid = SolvedGrid();
  grid[1 * 9 + 4] = '.';  // E2
  grid[3 * 9 + 2] = '.';  // C4: a smaller column, but a later row
  LoadGrid(grid);
  EXPECT_EQ(Solve(1), 0);
  EXPECT_EQ(gScript.polls, 9 + 5);
  EXPECT_NE(FilledDigit(At(5, 2)), 0);
  EXPECT_EQ(CandidateNumber(3, 4), 0);

  // The next step starts again at A1.
  scripted::Reset();
  EXPECT_EQ(Solve(1), 1);
  EXPECT_EQ(gScript.polls, 3 * 9 + 3);
  EXPECT_EQ(GridText(), SolvedGrid());
}

TEST_F(SolveTest, OneStepReachesTheLastCellAfterEightyOnePasses) {
  std::string grid = SolvedGrid();
  grid[80] = '.';
  LoadGrid(grid);
  EXPECT_EQ(Solve(1), 1);
  EXPECT_EQ(gScript.polls, 81);
  EXPECT_EQ(GridText(), SolvedGrid());
}

TEST_F(SolveTest, OneStepWithNothingFillableRunsEveryPassAndChangesNothing) {
  SetCandidates(1, 1, "5");
  SetCandidates(6, 7, "2");
  SetCandidates(9, 9, "37");
  const Board before = gMainBoard;
  EXPECT_EQ(Solve(1), 0);
  EXPECT_EQ(gScript.polls, kSolvePassLimit);
  EXPECT_EQ(gMainBoard, before);
}

TEST_F(SolveTest, UndecidedCellKeepsTheBoardFromCompleting) {
  std::string grid = SolvedGrid();
  grid[0] = grid[40] = grid[79] = '.';
  LoadGrid(grid);
  SetCandidates(9, 9, "19");
  EXPECT_EQ(Solve(81), 0);
  EXPECT_EQ(gScript.polls, kSolvePassLimit);
  EXPECT_NE(FilledDigit(At(1, 1)), 0);
  EXPECT_NE(FilledDigit(At(5, 5)), 0);
  EXPECT_NE(FilledDigit(At(8, 9)), 0);
  EXPECT_EQ(CandidateNumber(9, 9), 19) << "the solver never writes an undecided cell";
}

TEST_F(SolveTest, StopEndsTheSolveBeforeTheCursorCellIsExamined) {
  std::string grid = SolvedGrid();
  for (int col = 0; col < 9; ++col) grid[static_cast<std::size_t>(col)] = '.';
  LoadGrid(grid);
  gScript.events = {scripted::Event::Other, scripted::Event::Other, scripted::Event::Other, scripted::Event::Stop};
  EXPECT_EQ(Solve(81), 0);
  EXPECT_EQ(gScript.polls, 4);
  EXPECT_EQ(GridText().substr(0, 9), SolvedGrid().substr(0, 3) + "......");
  EXPECT_EQ(gScript.statusTexts, LoesenFertig());
}

TEST_F(SolveTest, LockedEmptyCellIsFilledAndOnlyTheOneFlagIsWritten) {
  std::string grid = SolvedGrid();
  grid[10] = '.';  // B2
  LoadGrid(grid);
  At(2, 2).locked = 1;
  At(2, 2).candidate[0] = 2;  // not set, so the cell is empty
  EXPECT_EQ(Solve(81), 1);
  const int digit = SolvedGrid()[10] - '0';
  EXPECT_EQ(At(2, 2).candidate[static_cast<std::size_t>(digit - 1)], 1);
  EXPECT_EQ(At(2, 2).candidate[0], digit == 1 ? 1 : 2);
  EXPECT_EQ(At(2, 2).locked, 1);
}

TEST_F(SolveTest, RowZeroAndColumnZeroAreNeitherReadNorWritten) {
  LoadGrid(SolvedGrid());
  SetCandidates(1, 1, "");
  SetCandidates(0, 1, std::string(1, SolvedGrid()[0]));  // would block A1's digit if read
  SetCandidates(1, 0, "");
  EXPECT_EQ(Solve(81), 1);
  EXPECT_EQ(CandidateNumber(1, 0), 0);
  EXPECT_EQ(GridText(), SolvedGrid());
}

TEST_F(SolveTest, AgreesWithTheTextRulesPassForPass) {
  std::mt19937 random(7);
  const std::int32_t budgets[] = {81, 1, 2, 0, -3};
  for (int trial = 0; trial < 40; ++trial) {
    // A relabelled solved grid with random holes and some noise: wrong
    // digits, undecided cells, odd flag values.
    std::string grid = SolvedGrid();
    std::array<char, 9> relabel{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    std::shuffle(relabel.begin(), relabel.end(), random);
    for (char& c : grid) c = relabel[static_cast<std::size_t>(c - '1')];
    const auto holes = 20 + random() % 45;
    for (auto h = holes; h > 0; --h) grid[random() % 81] = '.';
    LoadGrid(grid, trial % 2 == 0);
    for (int noise = trial % 4; noise > 0; --noise) {
      Cell& cell = At(1 + static_cast<int>(random() % 9), 1 + static_cast<int>(random() % 9));
      cell.candidate[random() % 9] = static_cast<std::int32_t>(random() % 3);
    }
    const std::int32_t budget = budgets[trial % 5];
    const long stopAt = trial % 7 == 3 ? static_cast<long>(1 + random() % 200) : 0;

    const Board start = gMainBoard;
    scripted::Reset();
    gScript.stopAtPoll = stopAt;
    const std::int32_t expected = text_rules::Solve(budget);
    const Board expectedBoard = gMainBoard;
    const long expectedPolls = gScript.polls;

    gMainBoard = start;
    scripted::Reset();
    gScript.stopAtPoll = stopAt;
    ASSERT_EQ(Solve(budget), expected) << "trial " << trial;
    ASSERT_EQ(gMainBoard, expectedBoard) << "trial " << trial;
    ASSERT_EQ(gScript.polls, expectedPolls) << "trial " << trial;
    ASSERT_EQ(gScript.statusTexts, LoesenFertig());
  }
}

}  // namespace
