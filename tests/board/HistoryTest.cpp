// The undo history of the main board: a step for each change and none for a
// command that changed nothing, undo and redo in order, the bound, and an
// exact restore of any field value.

#include "board/History.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/BoardBuilder.h"

namespace {

class History : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    ClearHistory();
  }
  void TearDown() override { ClearHistory(); }
};

// A command that does `change` to the main board, recorded as the program
// records every command.
template <typename Change>
void Command(Change change) {
  const Board before = gMainBoard;
  change();
  RecordChange(before);
}

TEST_F(History, EveryChangedFieldMakesOneStepAndAnUnchangedBoardNone) {
  Command([] { SetCandidates(1, 1, "5"); });
  EXPECT_EQ(UndoSteps(), 1);

  Command([] {});  // the error check, a cancelled dialog
  Command([] {     // changed and put back within the command, as the error check does
    At(4, 4).locked = 1;
    At(4, 4).locked = 0;
  });
  EXPECT_EQ(UndoSteps(), 1);

  // Fields that mean nothing to the puzzle count as well: row 0, column 0,
  // values other than 0 and 1.
  Command([] { At(0, 0).locked = 2; });
  Command([] { At(9, 0).candidate[8] = -1; });
  Command([] { At(0, 9).candidate[0] = 3; });
  EXPECT_EQ(UndoSteps(), 4);
  EXPECT_EQ(RedoSteps(), 0);
}

TEST_F(History, UndoAndRedoWalkTheStepsInOrderAndANewChangeDropsTheRedoSteps) {
  std::vector<Board> boards{gMainBoard};
  for (int digit = 1; digit <= 4; ++digit) {
    Command([&] { SetCandidates(digit, digit + 1, std::to_string(digit)); });
    boards.push_back(gMainBoard);
  }
  EXPECT_FALSE(Redo());
  EXPECT_EQ(gMainBoard, boards[4]);

  for (int step = 3; step >= 0; --step) {
    ASSERT_TRUE(Undo());
    EXPECT_EQ(gMainBoard, boards[static_cast<std::size_t>(step)]) << step;
    EXPECT_EQ(UndoSteps(), step);
    EXPECT_EQ(RedoSteps(), 4 - step);
  }
  EXPECT_FALSE(Undo());
  EXPECT_EQ(gMainBoard, boards[0]);

  ASSERT_TRUE(Redo());
  ASSERT_TRUE(Redo());
  EXPECT_EQ(gMainBoard, boards[2]);
  Command([] {});
  EXPECT_EQ(RedoSteps(), 2) << "a command that changed nothing keeps the redo steps";

  Command([] { SetCandidates(9, 9, "9"); });
  EXPECT_EQ(UndoSteps(), 3);
  EXPECT_EQ(RedoSteps(), 0);
  EXPECT_FALSE(Redo());
  ASSERT_TRUE(Undo());
  EXPECT_EQ(gMainBoard, boards[2]);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(gMainBoard, boards[1]);
}

TEST_F(History, KeepsTheNewestThousandStepsAndDropsTheOldest) {
  // After change n, field 0 of cell (0, 0) holds n.
  constexpr int kChanges = kHistoryLimit + 5;
  for (int change = 1; change <= kChanges; ++change) Command([&] { At(0, 0).candidate[0] = change; });
  EXPECT_EQ(UndoSteps(), kHistoryLimit);

  for (int change = kChanges - 1; change >= kChanges - kHistoryLimit; --change) {
    ASSERT_TRUE(Undo());
    ASSERT_EQ(At(0, 0).candidate[0], change);
  }
  EXPECT_FALSE(Undo()) << "the boards after changes 0 to 4 are gone";
  EXPECT_EQ(At(0, 0).candidate[0], 5);
  EXPECT_EQ(RedoSteps(), kHistoryLimit);

  while (Redo()) {
  }
  EXPECT_EQ(At(0, 0).candidate[0], kChanges);
  EXPECT_EQ(UndoSteps(), kHistoryLimit);
  EXPECT_EQ(RedoSteps(), 0);
}

TEST_F(History, UndoAndRedoRestoreEveryFieldExactly) {
  LoadGrid(SolvedGrid(), true);
  At(0, 0).locked = INT32_MIN;
  At(0, 9).candidate[4] = -7;
  At(9, 0).candidate[8] = 2;
  At(5, 5).candidate[0] = INT32_MAX;
  const Board odd = gMainBoard;

  Command([] { ClearBoard(gMainBoard); });  // "Leeren"
  Command([] { At(0, 0).locked = INT32_MIN; });
  const Board last = gMainBoard;
  ASSERT_TRUE(Undo());
  EXPECT_EQ(gMainBoard, Board{});
  ASSERT_TRUE(Undo());
  EXPECT_EQ(gMainBoard, odd);
  ASSERT_TRUE(Redo());
  ASSERT_TRUE(Redo());
  EXPECT_EQ(gMainBoard, last);
}

}  // namespace
