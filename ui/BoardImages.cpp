#include "ui/BoardImages.h"

#include <array>

#include "ui/Resources.h"

namespace {

constexpr int kIconSize = 40;

// Lines of the given extent across a square image, horizontal and vertical,
// at each position.
void GridLines(std::initializer_list<int> positions, int extent, int colour) {
  for (int at : positions) {
    LineExtent(0, at, extent, 0, colour);
    LineExtent(at, 0, 0, extent, colour);
  }
}

void DrawLargeGrid() {
  CreateImage(kLargeGridImage, 900, 900);
  StartDrawingOnImage(kLargeGridImage);
  FillRect(0, 0, 900, 900, kWhite);
  OutlineRect(0, 0, 900, 900, kBlack);
  // The centre box's border comes from its neighbours.
  for (auto [x, y] : std::array<std::pair<int, int>, 8>{
           {{0, 0}, {300, 0}, {600, 0}, {0, 300}, {600, 300}, {0, 600}, {300, 600}, {600, 600}}})
    OutlineRect(x, y, 301, 301, kBlack);
  GridLines({99, 198, 399, 498, 699, 798}, 900, kBlack);
  GridLines({297, 298, 299, 597, 598, 599}, 900, kBoxLineBlue);
  StopDrawing();
}

void DrawBoardImage() {
  CreateScreenImage(kBoardImage, 300, 300);
  StartDrawingOnImage(kBoardImage);
  FillRect(0, 0, 300, 300, kWhite);
  OutlineRect(0, 0, 300, 300, kBlack);
  // Box by box, rows of boxes from the top: its outline, then its fill. The
  // centre box has no outline of its own, so its fill spreads into the boxes
  // not yet drawn; their own fills take their parts back, leaving a
  // checkerboard of cyan corners and centre and yellow edges.
  for (int b = 0; b < 3; ++b)
    for (int a = 0; a < 3; ++a) {
      if (a != 1 || b != 1) OutlineRect(100 * a, 100 * b, 101, 101, kBlack);
      FloodFill(100 * a + 1, 100 * b + 1, (a + b) % 2 == 0 ? kCyan : kYellow);
    }
  GridLines({33, 66, 133, 166, 233, 266}, 300, kBlack);
  GridLines({99, 100, 101, 199, 200, 201}, 300, kBoxLineBlue);
  StopDrawing();
}

// A new icon, cyan all over, ready to be drawn on.
void StartIcon(int image) {
  CreateScreenImage(image, kIconSize, kIconSize);
  StartDrawingOnImage(image);
  FloodFill(1, 1, kCyan);
}

// A folder with a slanted front; the arrow of the save and open icons runs
// along the top from the left edge and down (or up) at x = 25.
void DrawFolderIcon(int image, bool arrowIntoFolder) {
  StartIcon(image);
  LineExtent(5, 20, 20, 0, kBlack);
  LineExtent(10, 35, 20, 0, kBlack);
  LineBetween(5, 20, 10, 35, kBlack);
  LineBetween(25, 20, 30, 35, kBlack);
  LineExtent(10, 15, 20, 0, kBlack);
  LineExtent(10, 15, 0, 5, kBlack);
  LineExtent(30, 15, 0, 20, kBlack);
  LineExtent(0, 5, 25, 0, kBlack);
  LineExtent(25, 5, 0, 5, kBlack);
  if (arrowIntoFolder) {
    LineBetween(25, 10, 28, 7, kBlack);
    LineBetween(25, 10, 22, 7, kBlack);
  } else {
    LineBetween(2, 5, 5, 2, kBlack);
    LineBetween(2, 5, 5, 8, kBlack);
  }
  FloodFill(10, 22, kLightYellow);
  FloodFill(15, 18, kOrange);
  StopDrawing();
}

void DrawCreateIcon() {
  StartIcon(kCreateIcon);
  for (int radius : {10, 11, 12}) Circle(20, 20, radius, kRingGreen);
  StopDrawing();
}

void DrawSolveIcon() {
  StartIcon(kSolveIcon);
  Circle(20, 20, 15, kBlack);
  Circle(20, 20, 5, kBlack);
  LineBetween(5, 20, 15, 20, kBlack);
  LineBetween(25, 20, 34, 20, kBlack);
  LineBetween(20, 5, 20, 15, kBlack);
  LineBetween(20, 25, 20, 34, kBlack);
  FloodFill(6, 19, kWhite);
  FloodFill(33, 21, kWhite);
  FloodFill(10, 21, kTargetRed);
  FloodFill(21, 10, kTargetRed);
  StopDrawing();
}

void DrawClearIcon() {
  StartIcon(kClearIcon);
  LineExtent(10, 5, 15, 0, kBlack);
  LineExtent(10, 5, 0, 30, kBlack);
  LineExtent(10, 35, 20, 0, kBlack);
  LineBetween(25, 5, 30, 10, kBlack);
  LineBetween(30, 10, 30, 35, kBlack);
  FloodFill(20, 20, kWhite);
  LineBetween(25, 5, 25, 10, kBlack);
  LineBetween(25, 10, 30, 10, kBlack);
  StopDrawing();
}

void DrawStopIcon() {
  StartIcon(kStopIcon);
  constexpr std::array<std::pair<int, int>, 8> kCorners{
      {{5, 13}, {13, 5}, {27, 5}, {35, 13}, {35, 27}, {27, 35}, {13, 35}, {5, 27}}};
  for (std::size_t i = 0; i < kCorners.size(); ++i) {
    const auto [x1, y1] = kCorners[i];
    const auto [x2, y2] = kCorners[(i + 1) % kCorners.size()];
    LineBetween(x1, y1, x2, y2, kBlack);
  }
  FloodFill(20, 20, kRed);
  DrawingFont(kStopFont);
  DrawTextAt(9, 15, "STOP", kWhite);
  StopDrawing();
}

}  // namespace

void PrepareImages() {
  DrawLargeGrid();
  DrawBoardImage();
  DrawFolderIcon(kSaveIcon, true);
  DrawFolderIcon(kOpenIcon, false);
  DrawCreateIcon();
  DrawSolveIcon();
  DrawClearIcon();
  DrawStopIcon();
}
