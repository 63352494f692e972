// The drawing primitives' pixel coverage, on images.

#include <gtest/gtest.h>

#include <QPainter>

#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/qt/State.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr int kWhite = Rgb(255, 255, 255);
constexpr int kRed = Rgb(255, 0, 0);

Pixels Area(int x, int y, int w, int h) {
  Pixels area;
  for (int row = y; row < y + h; ++row)
    for (int column = x; column < x + w; ++column) area.insert({column, row});
  return area;
}

Pixels Joined(std::initializer_list<Pixels> parts) {
  Pixels joined;
  for (const Pixels& part : parts) joined.insert(part.begin(), part.end());
  return joined;
}

QRect Bounds(const Pixels& pixels) {
  QRect bounds;
  for (const auto& [x, y] : pixels) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

// Draws on a 40 x 40 image, black at the start of each test.
class DrawingTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateImage(90, 40, 40));
    ASSERT_TRUE(StartDrawingOnImage(90));
  }
  void TearDown() override {
    StopDrawing();
    FreeImage(90);
  }
  static void Clear() { FillRect(0, 0, 40, 40, 0); }
  // Every pixel of the target that is not black.
  static Pixels Painted() {
    Pixels painted;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        if (PixelColour(x, y) != 0) painted.insert({x, y});
    return painted;
  }
};

TEST_F(DrawingTest, RectanglesCoverExactlyTheirArea) {
  FillRect(2, 3, 5, 4, kWhite);
  EXPECT_EQ(Painted(), Area(2, 3, 5, 4));
  Clear();
  OutlineRect(2, 3, 5, 4, kWhite);
  Pixels border = Area(2, 3, 5, 4);
  for (const auto& inner : Area(3, 4, 3, 2)) border.erase(inner);
  EXPECT_EQ(Painted(), border);
}

TEST_F(DrawingTest, LinesOfAnExtentLeaveOutTheFarEndLinesBetweenPointsKeepBoth) {
  LineExtent(2, 5, 6, 0, kWhite);
  LineExtent(30, 2, 0, 4, kWhite);
  LineExtent(20, 20, -3, 0, kWhite);
  LineExtent(5, 10, 4, 4, kWhite);
  EXPECT_EQ(Painted(), Joined({Area(2, 5, 6, 1), Area(30, 2, 1, 4), Area(18, 20, 3, 1),
                               Pixels{{5, 10}, {6, 11}, {7, 12}, {8, 13}}}));
  Clear();
  LineBetween(3, 8, 3, 3, kWhite);
  LineBetween(25, 22, 20, 20, kWhite);  // slanted: one pixel per column
  const Pixels lines = Painted();
  EXPECT_EQ(lines.size(), 6u + 6u);
  EXPECT_TRUE(lines.count({3, 3}) && lines.count({3, 8}) && lines.count({20, 20}) && lines.count({25, 22}));
  EXPECT_EQ(Bounds(lines), QRect(3, 3, 23, 20));
}

TEST_F(DrawingTest, CircleStaysInsideItsSquareTouchingEverySide) {
  for (int r = 1; r <= 19; ++r) {
    Clear();
    Circle(20, 20, r, kWhite);
    const Pixels circle = Painted();
    EXPECT_EQ(Bounds(circle), QRect(20 - r, 20 - r, 2 * r, 2 * r)) << "r " << r;
    for (const auto& [x, y] : circle)  // mirror images across the middle lines
      ASSERT_TRUE(circle.count({39 - x, y}) && circle.count({x, 39 - y})) << "r " << r;
  }
}

TEST_F(DrawingTest, FloodFillDoesNotLeakThroughADiagonalOutline) {
  LineBetween(20, 5, 35, 20, kWhite);
  LineBetween(35, 20, 20, 35, kWhite);
  LineBetween(20, 35, 5, 20, kWhite);
  LineBetween(5, 20, 20, 5, kWhite);
  FloodFill(20, 20, kRed);
  FloodFill(20, 20, kRed);  // the area's own colour: nothing to do
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const int distance = std::abs(x - 20) + std::abs(y - 20);  // 15 on the outline
      if (distance == 15) continue;
      ASSERT_EQ(PixelColour(x, y), distance < 15 ? kRed : 0) << x << "," << y;
    }
  }

}

TEST_F(DrawingTest, TextLiesBelowAndRightOfItsCornerInTheChosenFont) {
  DrawTextAt(10, 10, "W", kWhite);
  const QRect capital = Bounds(Painted());
  EXPECT_GE(capital.left(), 10);
  EXPECT_GE(capital.top(), 10);
  EXPECT_LE(capital.top(), 14) << "a capital's top lies just under the character cell's top";
  EXPECT_LT(capital.bottom(), 10 + FontPixelHeight(0));
  EXPECT_LT(Painted().size(), static_cast<std::size_t>(capital.width() * capital.height())) << "strokes only";

  Clear();
  ASSERT_TRUE(LoadFont(91, "Arial", 30));
  DrawingFont(91);
  DrawTextAt(0, 0, "8", kWhite);
  EXPECT_NEAR(Bounds(Painted()).height(), 29, 3) << "a 30-point digit: 40 pixels at 96 dpi";
}

// Texts are kept once drawn and copied later: the copies must be the very
// pixels Qt draws with the cell's top at y, in the colour asked for each time.
TEST_F(DrawingTest, TextsDrawnAgainAreTheSamePixelsInTheirNewColour) {
  const qtws::FontRecord& font = *qtws::FindFont(0);
  QImage direct(40, 40, QImage::Format_RGB32);
  direct.fill(Qt::black);
  QPainter painter(&direct);
  painter.setFont(font.font);
  painter.setPen(Qt::white);
  painter.drawText(-3, 20 + font.ascent, QStringLiteral(u"jWÄ"));
  painter.end();
  DrawTextAt(-3, 20, "jW\xC4", kRed);
  DrawTextAt(-3, 20, "jW\xC4", kWhite);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(PixelColour(x, y), direct.pixel(x, y) == qRgb(255, 255, 255) ? kWhite : 0) << x << "," << y;
}

TEST_F(DrawingTest, ImagesAreCopiedOneToOneAndClipped) {
  ASSERT_TRUE(CreateImage(91, 3, 2));
  ASSERT_TRUE(StartDrawingOnImage(91));
  FillRect(0, 0, 3, 2, Rgb(1, 2, 3));
  LineBetween(0, 0, 0, 1, Rgb(200, 100, 50));
  ASSERT_TRUE(StartDrawingOnImage(90));
  DrawImageAt(91, 5, 6);
  DrawImageAt(91, 38, -1);
  EXPECT_EQ(Painted(), Joined({Area(5, 6, 3, 2), Area(38, 0, 2, 1)}));
  EXPECT_EQ(PixelColour(6, 7), Rgb(1, 2, 3));
  EXPECT_EQ(PixelColour(38, 0), Rgb(200, 100, 50));
  EXPECT_EQ(qtws::FindImage(90)->pixel(5, 6), qRgb(200, 100, 50)) << "0xBBGGRR: red in the lowest byte";
  DrawImageAt(90, 1, 0);  // onto itself: shifted by one column
  EXPECT_EQ(PixelColour(6, 7), Rgb(200, 100, 50));
  FreeImage(91);
}

TEST_F(DrawingTest, ImageColoursAreThoseReadOneByOneAlsoWhileDrawing) {
  // A screen image, whose texts have detail finer than its pixels on a
  // high-resolution screen; its width and height differ.
  ASSERT_TRUE(CreateScreenImage(91, 37, 23));
  ASSERT_TRUE(StartDrawingOnImage(91));
  FillRect(3, 2, 20, 9, kRed);
  Circle(25, 12, 9, kWhite);
  DrawTextAt(2, 8, "Wg", Rgb(10, 200, 30));
  const std::vector<int> colours = ImageColours(91);
  ASSERT_EQ(colours.size(), 37u * 23u);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x)
      ASSERT_EQ(colours[static_cast<std::size_t>(y * 37 + x)], PixelColour(x, y)) << x << "," << y;
  FillRect(0, 0, 1, 1, kWhite);  // drawing goes on after the read
  EXPECT_EQ(ImageColours(91).front(), kWhite);
  FreeImage(91);
  EXPECT_TRUE(ImageColours(91).empty());
}

TEST_F(DrawingTest, DrawingOutsideTheTargetIsClipped) {
  FillRect(-5, -5, 8, 8, kWhite);
  OutlineRect(35, 35, 10, 10, kWhite);
  LineBetween(-1000, 39, 1000, 39, kWhite);
  LineBetween(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kRed);  // through the image, along its diagonal
  FillRect(INT_MAX - 1, INT_MIN, INT_MAX, INT_MAX, kWhite);
  OutlineRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kWhite);
  LineExtent(INT_MAX, INT_MAX, INT_MAX, INT_MIN, kWhite);
  Circle(INT_MAX, 0, INT_MAX, kWhite);
  DrawTextAt(INT_MAX, INT_MAX, "x", kWhite);
  EXPECT_EQ(PixelColour(0, 40), -1);
  Pixels diagonal;
  for (int i = 0; i < 40; ++i) diagonal.insert({i, i});
  EXPECT_EQ(Painted(),
            Joined({Area(0, 0, 3, 3), Area(35, 35, 5, 1), Area(35, 35, 1, 5), Area(0, 39, 40, 1), diagonal}));
  StopDrawing();
  FillRect(0, 0, 10, 10, kRed);  // no target: nothing happens
  EXPECT_EQ(PixelColour(0, 0), -1);
}

}  // namespace
