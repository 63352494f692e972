#include "solve/ErrorCheck.h"

#include <gtest/gtest.h>

#include "board/CandidateQueries.h"
#include "tests/support/BoardBuilder.h"

namespace {

class ErrorCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    gErrorColumn = 5;  // a stale finding that every check must reset
    gErrorRow = 5;
  }
  static void ExpectError(int col, int row) {
    CheckForErrors();
    EXPECT_EQ(gErrorColumn, col);
    EXPECT_EQ(gErrorRow, row);
  }
};

TEST_F(ErrorCheck, NoConflictReportsNothing) {
  LoadGrid(SolvedGrid());
  ExpectError(-1, -1);
  ClearBoard(gMainBoard);
  ExpectError(-1, -1);
}

TEST_F(ErrorCheck, TheLastConflictInColumnMajorOrderIsReported) {
  SetCandidates(2, 4, "5");
  SetCandidates(7, 4, "5");  // same row: the larger column wins
  ExpectError(7, 4);

  ClearBoard(gMainBoard);
  SetCandidates(3, 2, "8");
  SetCandidates(3, 9, "8");  // same column: the larger row wins
  ExpectError(3, 9);

  SetCandidates(8, 1, "4");
  SetCandidates(9, 2, "4");  // same box, in a later column than the pair above
  ExpectError(9, 2);
}

TEST_F(ErrorCheck, LockedCellsAreNotTestedButStillBlock) {
  SetCandidates(1, 1, "6");
  At(1, 1).locked = 1;
  SetCandidates(2, 2, "6");
  ExpectError(2, 2);

  At(2, 2).locked = 1;
  ExpectError(-1, -1);

  At(2, 2).locked = 2;  // drawn as unlocked, but only a flag of 0 is tested
  ExpectError(-1, -1);
}

TEST_F(ErrorCheck, UndecidedAndDeadEmptyCellsAreNeverReported) {
  SetCandidates(1, 1, "12");
  SetCandidates(2, 1, "1");
  SetCandidates(1, 2, "2");
  ExpectError(-1, -1);

  // An empty cell with no digit left is no error.
  ClearBoard(gMainBoard);
  for (int col = 1; col <= 8; ++col) SetCandidates(col, 1, std::to_string(col));
  SetCandidates(9, 5, "9");
  ExpectError(-1, -1);
}

TEST_F(ErrorCheck, TestedCellsKeepExactlyTheirDigit) {
  SetCandidates(4, 4, "3");
  At(4, 4).candidate[6] = 2;  // not set; cleared by the check
  At(4, 4).candidate[7] = -5;
  SetCandidates(6, 6, "123");
  CheckForErrors();
  EXPECT_EQ(At(4, 4).candidate, (std::array<std::int32_t, 9>{0, 0, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CandidateNumber(6, 6), 123);
}

TEST_F(ErrorCheck, IndexZeroCellsAreTestedWithTheirOwnColumnAndThirdBand) {
  SetCandidates(0, 4, "7");
  SetCandidates(0, 8, "7");  // the index-0 column holds a conflict
  ExpectError(0, 8);

  ClearBoard(gMainBoard);
  SetCandidates(2, 0, "9");  // row 0: its box is box 7 (columns 1 to 3, rows 7 to 9)
  SetCandidates(3, 8, "9");
  ExpectError(2, 0);         // (3, 8) itself does not see row 0: its box is rows 7 to 9
  At(2, 0).locked = 1;
  ExpectError(-1, -1);
}

}  // namespace
