#include "ui/BoardDrawing.h"

#include <array>
#include <string>

#include "ui/CellEditor.h"
#include "ui/CellText.h"
#include "ui/Resources.h"

namespace {

constexpr int kBoardLeft = 20;  // the board image's place in the window
constexpr int kBoardTop = 20;
constexpr int kPitch = 33;      // cell pitch on screen

// The margins left of and above the board, where the labels stand. The error
// square of a cell in column 0 or row 0 reaches into them, so they are
// painted afresh before the labels.
void ClearMargins() {
  FillRect(0, 0, kBoardLeft, kBoardTop + 300, kButtonFaceColour);
  FillRect(kBoardLeft, 0, 300, kBoardTop, kButtonFaceColour);
}

void DrawLabels() {
  DrawingFont(kSystemFont);
  for (int k = 0; k < 9; ++k) {
    DrawTextAt(7, 30 + kPitch * k, std::to_string(k + 1), kBlack);
    DrawTextAt(32 + kPitch * k, 5, std::string(1, static_cast<char>('A' + k)), kBlack);
  }
}

void DrawCrosshair(int snappedX, int snappedY) {
  if (snappedX <= 0 || snappedX >= 300 || snappedY <= 0 || snappedY >= 300) return;
  LineExtent(snappedX - 10, snappedY + 5, 31, 0, kRed);
  LineExtent(snappedX + 5, snappedY - 10, 0, 31, kRed);
}

// Candidates in font 1 at 21, 31 and 41 below the cell's top; a digit in
// font 2 at 17.
constexpr CellTextLayout kScreenLayout{kCandidateFont, 21, 10, kDigitFont, 17};

// The pixels of the board image that cell column (or row) 1 to 9 covers,
// between its grid lines: first and last.
constexpr std::array<int, 9> kCellFirst{1, 34, 67, 102, 134, 167, 202, 234, 267};
constexpr std::array<int, 9> kCellLast{32, 65, 98, 132, 165, 198, 232, 265, 298};

// Two pixels wide along the inside of the selected cell's grid lines.
void DrawFocusCue(int col, int row) {
  if (col < 1 || col > 9 || row < 1 || row > 9) return;
  const int left = kBoardLeft + kCellFirst[static_cast<std::size_t>(col - 1)];
  const int top = kBoardTop + kCellFirst[static_cast<std::size_t>(row - 1)];
  const int width = kCellLast[static_cast<std::size_t>(col - 1)] - kCellFirst[static_cast<std::size_t>(col - 1)] + 1;
  const int height = kCellLast[static_cast<std::size_t>(row - 1)] - kCellFirst[static_cast<std::size_t>(row - 1)] + 1;
  OutlineRect(left, top, width, height, kFocusCue);
  OutlineRect(left + 1, top + 1, width - 2, height - 2, kFocusCue);
}

}  // namespace

bool gFocusCueShown = false;

void DrawBoard(int snappedX, int snappedY) {
  if (!StartDrawingOnWindow(kMainWindow)) return;
  DrawImageAt(kBoardImage, kBoardLeft, kBoardTop);
  ClearMargins();
  DrawLabels();
  DrawCrosshair(snappedX, snappedY);
  DrawBoardCells(kBoardLeft, kBoardTop);
  if (gFocusCueShown) DrawFocusCue(gSelectedColumn, gSelectedRow);
  StopDrawing();
}

void DrawBoardCells(int boardLeft, int boardTop) {
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row)
      DrawCellText(col, row, boardLeft + 6 + kPitch * (col - 1), boardTop - 20 + kPitch * (row - 1), kScreenLayout);
}

void DrawErrorMarks(int errorColumn, int errorRow, int squareFlag) {
  if (!StartDrawingOnWindow(kMainWindow)) return;
  if (squareFlag == 1) FillRect(21 + kPitch * (errorColumn - 1), 21 + kPitch * (errorRow - 1), 33, 33, kRed);
  OutlineRect(20, 20, 300, 300, kRed);
  OutlineRect(21, 21, 298, 298, kRed);
  OutlineRect(22, 22, 296, 296, kRed);
  StopDrawing();
}
