#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board/CandidateQueries.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TextRules.h"

namespace {

class CandidateQueries : public ::testing::Test {
 protected:
  void SetUp() override { ClearBoard(gMainBoard); }
};

TEST_F(CandidateQueries, CandidateNumberReadsOnlyFlagsOfExactlyOne) {
  EXPECT_EQ(CandidateNumber(3, 3), 0);
  SetCandidates(3, 3, "135");
  EXPECT_EQ(CandidateNumber(3, 3), 135);
  SetCandidates(3, 3, "123456789");
  EXPECT_EQ(CandidateNumber(3, 3), 123456789);
  SetCandidates(3, 3, "12");
  EXPECT_EQ(CandidateNumber(3, 3), 12);
  EXPECT_EQ(FilledDigit(At(3, 3)), 0) << "12 is undecided, not a cell holding twelve";

  SetCandidates(3, 3, "");
  At(3, 3).candidate[4] = 2;
  At(3, 3).candidate[6] = -1;
  EXPECT_EQ(CandidateNumber(3, 3), 0) << "a flag of 2 or -1 is not set";
  At(3, 3).candidate[1] = 1;
  EXPECT_EQ(CandidateNumber(3, 3), 2);

  At(3, 3).locked = 1;
  SetCandidates(3, 3, "");
  EXPECT_EQ(CandidateNumber(3, 3), 0) << "a locked cell without candidates is empty";
}

TEST_F(CandidateQueries, BoxNumbersPutIndexZeroInTheThirdStackAndBand) {
  EXPECT_EQ(BoxNumber(1, 1), 1);
  EXPECT_EQ(BoxNumber(5, 1), 2);
  EXPECT_EQ(BoxNumber(9, 2), 3);
  EXPECT_EQ(BoxNumber(2, 5), 4);
  EXPECT_EQ(BoxNumber(6, 6), 5);
  EXPECT_EQ(BoxNumber(7, 9), 9);
  EXPECT_EQ(BoxNumber(0, 0), 9);
  EXPECT_EQ(BoxNumber(0, 1), 3);
  EXPECT_EQ(BoxNumber(1, 0), 7);
}

TEST_F(CandidateQueries, EmptyBoardAllowsEverything) {
  for (int col = 0; col <= 9; ++col)
    for (int row = 0; row <= 9; ++row) {
      EXPECT_EQ(CandidateNumber(col, row), 0);
      EXPECT_EQ(BoxDigits(col, row), "");
      EXPECT_EQ(AllowedDigits(col, row), "123456789");
    }
}

TEST_F(CandidateQueries, FilledCellBlocksItsColumnRowAndBox) {
  SetCandidates(5, 5, "7");
  EXPECT_EQ(AllowedDigits(5, 1), "12345689");
  EXPECT_EQ(AllowedDigits(1, 5), "12345689");
  EXPECT_EQ(AllowedDigits(4, 4), "12345689");
  EXPECT_EQ(AllowedDigits(1, 1), "123456789");
  EXPECT_EQ(AllowedDigits(5, 5), "12345689") << "a filled cell blocks its own digit";
  EXPECT_EQ(BoxDigits(6, 4), "7");
}

TEST_F(CandidateQueries, UndecidedCellsPlaceNothing) {
  SetCandidates(2, 2, "14");
  EXPECT_EQ(CandidateNumber(2, 2), 14);
  EXPECT_EQ(BoxDigits(2, 2), "");
  EXPECT_EQ(AllowedDigits(2, 9), "123456789");
  EXPECT_EQ(AllowedDigits(9, 2), "123456789");
}

TEST_F(CandidateQueries, BoxDigitsKeepVisitingOrderAndDuplicates) {
  SetCandidates(9, 9, "4");
  SetCandidates(7, 7, "4");
  SetCandidates(8, 7, "2");
  SetCandidates(7, 8, "123");
  EXPECT_EQ(BoxDigits(8, 8), "424");
  EXPECT_EQ(AllowedDigits(8, 8), "1356789");
}

TEST_F(CandidateQueries, AllDigitsBlockedGivesEmptyText) {
  for (int col = 1; col <= 8; ++col) SetCandidates(col, 1, std::to_string(col));
  SetCandidates(9, 5, "9");
  EXPECT_EQ(AllowedDigits(9, 1), "");
}

TEST_F(CandidateQueries, IndexZeroScansItsOwnColumnAndTheThirdStack) {
  SetCandidates(0, 5, "3");   // in column 0: blocks 3 for (0, row) only through the column scan
  SetCandidates(8, 3, "6");   // box 3, where (0, 2) takes its box from
  SetCandidates(4, 2, "9");   // the real row 2
  EXPECT_EQ(AllowedDigits(0, 2), "124578");
  SetCandidates(9, 9, "1");   // box 9 is the box of (0, 0)
  EXPECT_EQ(BoxDigits(0, 0), "1");
}

TEST_F(CandidateQueries, PositionsOffTheBoardReadAsEmptyCells) {
  EXPECT_EQ(CandidateNumber(-1, 4), 0);
  EXPECT_EQ(CandidateNumber(10, 10), 0);
  SetCandidates(3, 4, "8");
  EXPECT_EQ(AllowedDigits(-7, 4), "12345679");
  EXPECT_EQ(AllowedDigits(1000, 1000), "123456789");
}

TEST_F(CandidateQueries, AgreeWithTheTextRulesOnRandomBoards) {
  std::mt19937 random(2024);
  const std::int32_t oddValues[] = {0, 1, 1, 1, 2, -1, 0x7FFFFFFF};
  for (int board = 0; board < 300; ++board) {
    // Sparse boards have many filled cells; dense ones many undecided.
    const int density = 2 + board % 12;
    for (auto& column : gMainBoard)
      for (Cell& cell : column) {
        cell = Cell{};
        for (auto& flag : cell.candidate)
          if (random() % 100 < static_cast<unsigned>(density)) flag = oddValues[random() % 7];
      }
    for (int col = 0; col <= 9; ++col)
      for (int row = 0; row <= 9; ++row) {
        ASSERT_EQ(CandidateNumber(col, row), text_rules::CandidateNumber(col, row));
        ASSERT_EQ(BoxDigits(col, row), text_rules::BoxDigits(col, row)) << col << "," << row;
        ASSERT_EQ(AllowedDigits(col, row), text_rules::AllowedDigits(col, row)) << col << "," << row;
      }
  }
}

}  // namespace
