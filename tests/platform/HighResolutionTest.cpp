// Screen images and window surfaces on a screen of any scale: the same pixels
// as at scale 1, each a square of device pixels, and texts drawn by the font
// at the device's full resolution. ctest runs these at scale 1 and at 2.

#include <QAbstractButton>
#include <QFontMetrics>
#include <QPainter>

#include <limits>

#include "platform/qt/State.h"
#include "tests/platform/TestSupport.h"

namespace {

constexpr int kWhite = Rgb(255, 255, 255);
constexpr int kRed = Rgb(255, 0, 0);
constexpr int kBlue = Rgb(0, 51, 255);

// The scale this run asks of the screen.
int ExpectedScale() {
  bool valid = false;
  const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&valid);
  return valid ? qtws::WholeScale(factor) : 1;
}

const QImage& Pixels(int image) { return *qtws::FindImage(image); }

// Device pixels that are not the same as all others of their pixel's square.
int SplitSquares(const QImage& image, QRect area) {
  const int scale = qtws::ScaleOf(image);
  int split = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
          if (image.pixel(x * scale + dx, y * scale + dy) != image.pixel(x * scale, y * scale)) ++split;
  return split;
}

// A text drawn straight by Qt, by the font at the scale times its size, with
// its cell's top at y, on black.
QImage DrawnByQt(const qtws::FontRecord& record, QSize size, int scale, int x, int y, const QString& text) {
  QImage direct(size * scale, QImage::Format_RGB32);
  direct.fill(Qt::black);
  QFont font = record.font;
  font.setPixelSize(record.pixelHeight * scale);
  QPainter painter(&direct);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(x * scale, y * scale + QFontMetrics(font).ascent(), text);
  return direct;
}

TEST(HighResolution, TheScreensRatioIsRoundedDownToWholeDevicePixels) {
  EXPECT_EQ(qtws::ScreenScale(), ExpectedScale());
  EXPECT_EQ(qtws::WholeScale(1), 1);
  EXPECT_EQ(qtws::WholeScale(1.25), 1);
  EXPECT_EQ(qtws::WholeScale(1.5), 1) << "a ratio of 1.5 would halve some pixels' squares";
  EXPECT_EQ(qtws::WholeScale(2), 2);
  EXPECT_EQ(qtws::WholeScale(2.5), 2);
  EXPECT_EQ(qtws::WholeScale(3), 3);
  EXPECT_EQ(qtws::WholeScale(0.5), 1);
  EXPECT_EQ(qtws::WholeScale(std::numeric_limits<double>::quiet_NaN()), 1);
  EXPECT_EQ(qtws::WholeScale(1e9), 8);
}

TEST(HighResolution, ScreenImagesKeepTheirSizeAndHoldTheScreensDevicePixels) {
  const int scale = ExpectedScale();
  ASSERT_TRUE(CreateScreenImage(80, 30, 20));
  EXPECT_EQ(ImageWidth(80), 30);
  EXPECT_EQ(ImageHeight(80), 20);
  EXPECT_EQ(Pixels(80).size(), QSize(30, 20) * scale);
  ASSERT_TRUE(StartDrawingOnImage(80));
  EXPECT_EQ(PixelColour(29, 19), 0) << "black all over";
  EXPECT_EQ(PixelColour(30, 0), -1);
  EXPECT_EQ(PixelColour(0, 20), -1);
  StopDrawing();
  EXPECT_FALSE(CreateScreenImage(81, 0, 10));
  EXPECT_FALSE(CreateScreenImage(81, std::numeric_limits<int>::max(), 10));
  ASSERT_TRUE(CreateImage(81, 30, 20));
  EXPECT_EQ(Pixels(81).size(), QSize(30, 20)) << "printed and exported images stay at scale 1";
  FreeImage(80);
  FreeImage(81);
}

// Every primitive, clipped ones and fills through diagonal outlines among
// them, onto an image of scale 1 and onto a screen image.
void DrawShapes() {
  FillRect(0, 0, 40, 40, kWhite);
  OutlineRect(2, 3, 7, 6, 0);
  FillRect(-3, 30, 8, 20, kRed);
  LineExtent(12, 2, 20, 0, 0);
  LineExtent(38, 5, 0, -4, kBlue);
  LineExtent(10, 10, 7, 3, 0);
  LineBetween(20, 5, 35, 20, 0);
  LineBetween(35, 20, 20, 35, 0);
  LineBetween(20, 35, 5, 20, 0);
  LineBetween(5, 20, 20, 5, 0);
  FloodFill(20, 20, kBlue);
  FloodFill(1, 1, Rgb(0, 255, 255));
  for (int r : {3, 6, 7}) Circle(28, 30, r, kRed);
  Circle(38, 38, 9, 0);
  FloodFill(28, 30, Rgb(255, 255, 0));
  LineBetween(-100, 50, 100, -40, kRed);
}

TEST(HighResolution, PrimitivesCoverTheSamePixelsEachAWholeSquareOfDevicePixels) {
  const int scale = ExpectedScale();
  ASSERT_TRUE(CreateImage(82, 40, 40));
  ASSERT_TRUE(StartDrawingOnImage(82));
  DrawShapes();
  ASSERT_TRUE(CreateScreenImage(83, 40, 40));
  ASSERT_TRUE(StartDrawingOnImage(83));
  DrawShapes();
  StopDrawing();
  const QImage& plain = Pixels(82);
  const QImage& screen = Pixels(83);
  ASSERT_EQ(screen.size(), QSize(40, 40) * scale);
  int differing = 0;
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x)
      if (screen.pixel(x, y) != plain.pixel(x / scale, y / scale)) ++differing;
  EXPECT_EQ(differing, 0) << "device pixels unlike the pixel they belong to";
  FreeImage(82);
  FreeImage(83);
}

TEST(HighResolution, TextsAreDrawnByTheFontAtTheDevicesResolution) {
  const int scale = ExpectedScale();
  ASSERT_TRUE(LoadFont(84, "Arial", 30));
  ASSERT_TRUE(CreateScreenImage(84, 90, 50));
  ASSERT_TRUE(StartDrawingOnImage(84));
  for (const int font : {0, 84}) {
    const qtws::FontRecord& record = *qtws::FindFont(font);
    const QString text = font == 0 ? QStringLiteral(u"Ag8jÄ") : QStringLiteral(u"8g");
    FillRect(0, 0, 90, 50, 0);
    DrawingFont(font);
    DrawTextAt(-2, 3, font == 0 ? "Ag8j\xC4" : "8g", kRed);  // drawn once and kept, then copied in white
    FillRect(0, 0, 90, 50, 0);
    DrawTextAt(-2, 3, font == 0 ? "Ag8j\xC4" : "8g", kWhite);
    StopDrawing();
    const QImage direct = DrawnByQt(record, {90, 50}, scale, -2, 3, text);
    const QImage& drawn = Pixels(84);
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        if (drawn.pixel(x, y) != direct.pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 0) << "font " << font << ": device pixels unlike Qt's own drawing at scale " << scale;
    int blended = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) blended += drawn.pixel(x, y) != qRgb(0, 0, 0) && drawn.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_EQ(blended, 0) << "font " << font << ": no antialiasing";
    if (scale > 1) {
      EXPECT_GT(SplitSquares(drawn, {0, 0, 90, 50}), 20) << "font " << font << ": strokes finer than a pixel";
    }
    ASSERT_TRUE(StartDrawingOnImage(84));
  }
  StopDrawing();
  FreeImage(84);
}

TEST(HighResolution, ImagesAreCopiedAtTheirOwnResolution) {
  const int scale = ExpectedScale();
  ASSERT_TRUE(CreateScreenImage(85, 20, 20));
  ASSERT_TRUE(StartDrawingOnImage(85));
  FillRect(0, 0, 20, 20, kBlue);
  DrawTextAt(1, 1, "W", kWhite);
  ASSERT_TRUE(CreateImage(86, 2, 2));
  ASSERT_TRUE(StartDrawingOnImage(86));
  FillRect(0, 0, 2, 2, kRed);
  LineBetween(0, 0, 1, 0, kWhite);
  ASSERT_TRUE(CreateScreenImage(87, 40, 40));
  ASSERT_TRUE(StartDrawingOnImage(87));
  DrawImageAt(85, 5, 6);
  DrawImageAt(86, 30, 30);
  DrawImageAt(85, 35, -5);  // clipped
  EXPECT_EQ(PixelColour(5, 6), kBlue);
  EXPECT_EQ(PixelColour(30, 30), kWhite);
  EXPECT_EQ(PixelColour(31, 31), kRed);
  EXPECT_EQ(PixelColour(34, 0), 0);
  EXPECT_EQ(PixelColour(35, 0), kBlue);
  StopDrawing();
  const QImage& source = Pixels(85);
  const QImage& target = Pixels(87);
  int differing = 0;
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x)
      if (target.pixel(5 * scale + x, 6 * scale + y) != source.pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0) << "a screen image copied onto another, device pixel for device pixel";
  EXPECT_EQ(SplitSquares(target, {30, 30, 2, 2}), 0) << "an image of scale 1 copied as whole squares";
  ASSERT_TRUE(StartDrawingOnImage(86));
  DrawImageAt(87, -30, -30);  // a screen image onto one of scale 1: its pixels' colours
  EXPECT_EQ(PixelColour(0, 0), kWhite);
  EXPECT_EQ(PixelColour(1, 1), kRed);
  StopDrawing();
  for (int image : {85, 86, 87}) FreeImage(image);
}

using HighResolutionSurface = WindowTest;

// What the window shows of its surface is the surface's device pixels: lines
// on whole squares, texts as fine as on a screen image.
TEST_F(HighResolutionSurface, TheWindowShowsItsSurfaceAtTheDevicesResolution) {
  const int scale = ExpectedScale();
  auto drawSome = [] {
    FillRect(10, 10, 60, 40, kWhite);
    LineBetween(10, 12, 69, 40, kBlue);
    OutlineRect(12, 14, 20, 20, kRed);
    DrawTextAt(30, 20, "B7", 0);
  };
  ASSERT_TRUE(CreateScreenImage(88, 200, 150));
  ASSERT_TRUE(StartDrawingOnImage(88));
  drawSome();
  ASSERT_TRUE(StartDrawingOnWindow(0));
  drawSome();
  EXPECT_EQ(PixelColour(12, 14), kRed);
  EXPECT_EQ(PixelColour(90, 90), kButtonFaceColour);
  StopDrawing();
  const QImage shown = WindowWidget(0)->grab(QRect(0, 0, 200, 150)).toImage();
  const qreal ratio = WindowWidget(0)->devicePixelRatioF();
  ASSERT_EQ(shown.size(), (QSizeF(200, 150) * ratio).toSize());
  if (ratio != scale) {
    // At a ratio like 1.5 Qt scales the surface's single pixels up.
    EXPECT_EQ(shown.pixel(static_cast<int>(20 * ratio), static_cast<int>(14 * ratio)), qRgb(255, 0, 0));
    FreeImage(88);
    return;
  }
  const QImage& expected = Pixels(88);
  int differing = 0;
  for (int y = 10 * scale; y < 50 * scale; ++y)
    for (int x = 10 * scale; x < 70 * scale; ++x)
      if (shown.pixel(x, y) != expected.pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0);
  FreeImage(88);
}

TEST_F(HighResolutionSurface, ImageGadgetsShowScreenImagesAtTheirSizeAndResolution) {
  const int scale = ExpectedScale();
  ASSERT_TRUE(CreateScreenImage(89, 40, 40));
  ASSERT_TRUE(StartDrawingOnImage(89));
  FillRect(0, 0, 40, 40, kBlue);
  Circle(20, 20, 12, kWhite);
  DrawTextAt(8, 12, "S", kRed);
  StopDrawing();
  ImageGadget(1, 0, 0, 0, 60, 60, 89);
  ImageButtonGadget(2, 0, 100, 0, 40, 40, 89);
  EXPECT_EQ(static_cast<QAbstractButton*>(GadgetWidget(2))->iconSize(), QSize(40, 40));
  const qreal ratio = WindowWidget(0)->devicePixelRatioF();
  if (ratio != scale) {
    FreeImage(89);
    return;  // scaled by Qt, as the surface
  }
  const QImage shown = GadgetWidget(1)->grab(QRect(0, 0, 40, 40)).toImage();
  const QImage& image = Pixels(89);
  ASSERT_EQ(shown.size(), image.size());
  int differing = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) differing += shown.pixel(x, y) != image.pixel(x, y);
  EXPECT_EQ(differing, 0) << "the image gadget shows the image's device pixels";
  FreeImage(89);
}

}  // namespace
