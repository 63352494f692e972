#include "ui/BoardDrawing.h"

#include <string>

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

}  // namespace

void DrawBoard(int snappedX, int snappedY) {
  if (!StartDrawingOnWindow(kMainWindow)) return;
  DrawImageAt(kBoardImage, kBoardLeft, kBoardTop);
  ClearMargins();
  DrawLabels();
  DrawCrosshair(snappedX, snappedY);
  DrawBoardCells(kBoardLeft, kBoardTop);
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
