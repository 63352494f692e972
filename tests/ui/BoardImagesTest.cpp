// The images drawn at start-up, read back pixel by pixel.

#include <gtest/gtest.h>

#include "tests/ui/UiTestSupport.h"
#include "ui/Resources.h"

namespace {

TEST(BoardImages, BoardIsACheckerboardOfCyanAndYellowBoxes) {
  EXPECT_EQ(ImageWidth(kBoardImage), 300);
  EXPECT_EQ(ImageHeight(kBoardImage), 300);
  for (int b = 0; b < 3; ++b)
    for (int a = 0; a < 3; ++a)
      EXPECT_EQ(ImagePixel(kBoardImage, 100 * a + 50, 100 * b + 50), (a + b) % 2 == 0 ? kCyan : kYellow)
          << "box " << a << "," << b;
}

TEST(BoardImages, BoardLinesSeparateTheCells) {
  // The cells lie at 1-32, 34-65, 67-98, 102-132, 134-165, 167-198,
  // 202-232, 234-265 and 267-298 on both axes.
  const int firsts[] = {1, 34, 67, 102, 134, 167, 202, 234, 267};
  const int lasts[] = {32, 65, 98, 132, 165, 198, 232, 265, 298};
  for (int k = 0; k < 9; ++k) {
    for (int at : {firsts[k], lasts[k]}) {
      const int colour = ImagePixel(kBoardImage, at, 10);
      EXPECT_TRUE(colour == kCyan || colour == kYellow) << "x " << at;
      const int down = ImagePixel(kBoardImage, 10, at);
      EXPECT_TRUE(down == kCyan || down == kYellow) << "y " << at;
    }
  }
  for (int line : {0, 33, 66, 133, 166, 233, 266, 299}) {
    EXPECT_EQ(ImagePixel(kBoardImage, line, 150), kBlack) << "x " << line;
    EXPECT_EQ(ImagePixel(kBoardImage, 150, line), kBlack) << "y " << line;
  }
  for (int line : {99, 100, 101, 199, 200, 201}) {
    EXPECT_EQ(ImagePixel(kBoardImage, line, 10), kBoxLineBlue) << "x " << line;
    EXPECT_EQ(ImagePixel(kBoardImage, 10, line), kBoxLineBlue) << "y " << line;
  }
}

TEST(BoardImages, LargeGridIsWhiteWithBlackCellLinesAndBlueBoxLines) {
  EXPECT_EQ(ImageWidth(kLargeGridImage), 900);
  EXPECT_EQ(ImagePixel(kLargeGridImage, 50, 50), kWhite);
  EXPECT_EQ(ImagePixel(kLargeGridImage, 450, 450), kWhite);
  for (int line : {0, 99, 198, 300, 399, 498, 600, 699, 798, 899}) {
    EXPECT_EQ(ImagePixel(kLargeGridImage, line, 450), kBlack) << "x " << line;
    EXPECT_EQ(ImagePixel(kLargeGridImage, 450, line), kBlack) << "y " << line;
  }
  for (int line : {297, 298, 299, 597, 598, 599}) {
    EXPECT_EQ(ImagePixel(kLargeGridImage, line, 50), kBoxLineBlue) << "x " << line;
    EXPECT_EQ(ImagePixel(kLargeGridImage, 50, line), kBoxLineBlue) << "y " << line;
  }
  EXPECT_EQ(ImagePixel(kLargeGridImage, 301, 50), kWhite);
}

struct Seed {
  int image, x, y, colour;
};

TEST(BoardImages, IconsHoldTheirFillsAtTheSeedPoints) {
  const Seed seeds[] = {
      {kSaveIcon, 1, 1, kCyan},          {kSaveIcon, 10, 22, kLightYellow}, {kSaveIcon, 15, 18, kOrange},
      {kSaveIcon, 25, 10, kBlack},       {kSaveIcon, 28, 7, kBlack},        {kSaveIcon, 5, 2, kCyan},
      {kOpenIcon, 10, 22, kLightYellow}, {kOpenIcon, 15, 18, kOrange},      {kOpenIcon, 5, 2, kBlack},
      {kOpenIcon, 5, 8, kBlack},         {kOpenIcon, 28, 7, kCyan},         {kCreateIcon, 20, 20, kCyan},
      {kCreateIcon, 10, 20, kRingGreen}, {kCreateIcon, 8, 20, kRingGreen},  {kCreateIcon, 7, 20, kCyan},
      {kSolveIcon, 6, 19, kWhite},       {kSolveIcon, 33, 21, kWhite},      {kSolveIcon, 10, 21, kTargetRed},
      {kSolveIcon, 21, 10, kTargetRed},  {kSolveIcon, 20, 20, kCyan},       {kSolveIcon, 1, 1, kCyan},
      {kClearIcon, 20, 20, kWhite},      {kClearIcon, 27, 9, kWhite},       {kClearIcon, 25, 8, kBlack},
      {kClearIcon, 5, 5, kCyan},         {kStopIcon, 20, 8, kRed},          {kStopIcon, 20, 31, kRed},
      {kStopIcon, 2, 2, kCyan},          {kStopIcon, 5, 20, kBlack},
  };
  for (const Seed& seed : seeds)
    EXPECT_EQ(ImagePixel(seed.image, seed.x, seed.y), seed.colour)
        << "image " << seed.image << " at " << seed.x << "," << seed.y;
  for (int image = kSaveIcon; image <= kStopIcon; ++image) EXPECT_EQ(ImageWidth(image), 40);
}

TEST(BoardImages, StopIconCarriesItsWhiteText) {
  int white = 0;
  for (int y = 10; y < 30; ++y)
    for (int x = 5; x < 35; ++x) white += ImagePixel(kStopIcon, x, y) == kWhite ? 1 : 0;
  EXPECT_GT(white, 15);
  EXPECT_EQ(ImagePixel(kStopIcon, 8, 20), kRed) << "the text starts at x 9";
}

}  // namespace
