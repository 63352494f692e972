// The board as the main window shows it: where text is drawn and in which
// colour, the crosshair and the error display.

#include <gtest/gtest.h>

#include "board/Board.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/BoardDrawing.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

// The inside of cell (col, row) on the window, without its grid lines: the
// board image at (20, 20) has its cells at 1-32, 34-65, 67-98, 102-132,
// 134-165, 167-198, 202-232, 234-265 and 267-298 on both axes.
struct Area {
  int x0, y0, x1, y1;
};
Area CellArea(int col, int row) {
  constexpr int kFirst[] = {1, 34, 67, 102, 134, 167, 202, 234, 267};
  constexpr int kLast[] = {32, 65, 98, 132, 165, 198, 232, 265, 298};
  return {20 + kFirst[col - 1], 20 + kFirst[row - 1], 20 + kLast[col - 1], 20 + kLast[row - 1]};
}
int CountIn(int colour, Area area) { return CountOnWindow(colour, area.x0, area.y0, area.x1, area.y1); }

class BoardDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    OpenMainWindow();
  }
  void TearDown() override { CloseWindow(kMainWindow); }
};

TEST_F(BoardDrawing, FilledCellsShowOneLargeDigitGreenOrBlackWhenLocked) {
  SetCandidates(1, 1, "5");
  SetCandidates(2, 1, "7");
  At(2, 1).locked = 1;
  SetCandidates(4, 1, "");
  At(4, 1).locked = 1;
  At(5, 1).candidate[2] = 2;  // not a set flag: an empty cell
  DrawBoard(0, 0);

  EXPECT_GT(CountIn(kDigitGreen, CellArea(1, 1)), 40);
  EXPECT_EQ(CountIn(kBlack, CellArea(1, 1)), 0);
  EXPECT_GT(CountIn(kBlack, CellArea(2, 1)), 40);
  EXPECT_EQ(CountIn(kDigitGreen, CellArea(2, 1)), 0);
  for (int col : {3, 4, 5}) {
    EXPECT_EQ(CountIn(kDigitGreen, CellArea(col, 1)), 0) << "an empty cell, locked or not, shows nothing";
    EXPECT_EQ(CountIn(kBlack, CellArea(col, 1)), 0);
  }
  // The digit is drawn from x 26 of its cell, six pixels right of the line.
  EXPECT_EQ(CountOnWindow(kDigitGreen, 21, 21, 25, 52), 0);
}

TEST_F(BoardDrawing, UndecidedCellsShowTheirCandidatesThreeToALine) {
  SetCandidates(3, 2, "12457");
  At(3, 2).locked = 1;  // still small and green
  SetCandidates(5, 5, "123456789");
  SetCandidates(9, 9, "39");
  DrawBoard(0, 0);

  const Area a = CellArea(3, 2);
  EXPECT_EQ(CountIn(kBlack, a), 0);
  const int firstLine = CountOnWindow(kDigitGreen, a.x0, a.y0, a.x1, a.y0 + 9);
  const int secondLine = CountOnWindow(kDigitGreen, a.x0, a.y0 + 12, a.x1, a.y0 + 19);
  EXPECT_GT(firstLine, 10);
  EXPECT_GT(secondLine, 5);
  EXPECT_LT(secondLine, firstLine) << "124 above, 57 below";
  EXPECT_EQ(CountOnWindow(kDigitGreen, a.x0, a.y0 + 22, a.x1, a.y1), 0) << "no third line";

  const Area full = CellArea(5, 5);
  EXPECT_GT(CountOnWindow(kDigitGreen, full.x0, full.y0 + 22, full.x1, full.y1), 5) << "789 on a third line";

  const Area two = CellArea(9, 9);
  EXPECT_GT(CountOnWindow(kDigitGreen, two.x0, two.y0, two.x0 + 15, two.y0 + 11), 10) << "39 at the left";
  EXPECT_EQ(CountOnWindow(kDigitGreen, two.x0, two.y0 + 12, two.x1, two.y1), 0);
}

TEST_F(BoardDrawing, LabelsStandLeftAndAboveTheBoard) {
  DrawBoard(0, 0);
  for (int k = 0; k < 9; ++k) {
    EXPECT_GT(CountOnWindow(kBlack, 5, 30 + 33 * k, 19, 30 + 33 * k + 14), 5) << "row label " << k + 1;
    EXPECT_GT(CountOnWindow(kBlack, 30 + 33 * k, 4, 44 + 33 * k, 19), 5) << "column label " << k + 1;
  }
}

TEST_F(BoardDrawing, CrosshairMarksTheSquareUnderThePointer) {
  DrawBoard(33, 33);
  EXPECT_EQ(CountOnWindow(kRed, 23, 38, 53, 38), 31);
  EXPECT_EQ(CountOnWindow(kRed, 38, 23, 38, 53), 31);
  EXPECT_EQ(CountOnWindow(kRed, 0, 0, 379, 339), 61) << "two lines of 31 crossing at (38, 38)";

  DrawBoard(297, 99);  // right of the board, but still drawn
  EXPECT_EQ(WindowPixel(302, 104), kRed);
  EXPECT_EQ(CountOnWindow(kRed, 0, 0, 379, 339), 61);

  for (auto [x, y] : {std::pair{0, 33}, std::pair{33, 0}, std::pair{-33, 33}, std::pair{33, -33},
                      std::pair{300, 33}, std::pair{33, 330}}) {
    DrawBoard(x, y);
    EXPECT_EQ(CountOnWindow(kRed, 0, 0, 379, 339), 0) << x << "," << y;
  }
}

TEST_F(BoardDrawing, ErrorMarksPaintTheSquareAndAThreePixelFrame) {
  DrawBoard(0, 0);
  DrawErrorMarks(1, 1, 1);
  EXPECT_EQ(CountOnWindow(kRed, 21, 21, 53, 53), 33 * 33);
  EXPECT_NE(WindowPixel(54, 40), kRed);
  for (int x : {20, 21, 22, 317, 318, 319}) EXPECT_EQ(WindowPixel(x, 150), kRed) << x;
  for (int y : {20, 21, 22, 317, 318, 319}) EXPECT_EQ(WindowPixel(150, y), kRed) << y;
  EXPECT_NE(WindowPixel(23, 150), kRed);
  EXPECT_NE(WindowPixel(316, 150), kRed);

  DrawBoard(0, 0);  // the next redraw paints over it
  EXPECT_EQ(CountOnWindow(kRed, 0, 0, 379, 339), 0);

  DrawErrorMarks(5, 5, 0);  // without the square only the frame
  EXPECT_EQ(CountIn(kRed, CellArea(5, 5)), 0);
  EXPECT_EQ(WindowPixel(20, 150), kRed);
}

TEST_F(BoardDrawing, TheNextRedrawRemovesTheSquareOfAColumnOrRowZeroCell) {
  DrawBoard(0, 0);
  for (auto [col, row] : {std::pair{0, 4}, std::pair{6, 0}, std::pair{0, 0}, std::pair{0, 9}, std::pair{9, 0}}) {
    DrawErrorMarks(col, row, 1);
    EXPECT_EQ(WindowPixel(21 + 33 * (col - 1) + 20, 21 + 33 * (row - 1) + 20), kRed) << col << "," << row;
    DrawBoard(0, 0);
    EXPECT_EQ(CountOnWindow(kRed, 0, 0, 379, 339), 0) << col << "," << row;
  }
  // The labels stay, on the window's own background.
  EXPECT_GT(CountOnWindow(kBlack, 5, 30, 19, 44), 5);
  EXPECT_EQ(WindowPixel(2, 2), kButtonFaceColour);
}

}  // namespace
