// A window's drawing surface: above the gadgets, kept across repaints,
// transparent where nothing was drawn.

#include "tests/platform/TestSupport.h"

namespace {

constexpr int kRed = Rgb(255, 0, 0);

QRgb Shown(int x, int y) { return WindowWidget(0)->grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0); }

using SurfaceTest = WindowTest;

TEST_F(SurfaceTest, DrawingShowsAboveGadgetsAndStaysThroughRepaintsAndResizes) {
  ASSERT_TRUE(CreateImage(95, 20, 20));
  ASSERT_TRUE(StartDrawingOnImage(95));
  FillRect(0, 0, 20, 20, Rgb(0, 255, 0));
  ImageGadget(1, 0, 0, 0, 20, 20, 95);
  ASSERT_TRUE(StartDrawingOnWindow(0));
  FillRect(5, 5, 4, 4, kRed);
  FillRect(110, 105, 5, 5, kRed);
  StopDrawing();
  ButtonGadget(2, 0, 100, 100, 40, 20, "OK");  // added after the drawing, still beneath it
  WindowWidget(0)->repaint();
  EXPECT_EQ(Shown(6, 6), qRgb(255, 0, 0));
  EXPECT_EQ(Shown(112, 107), qRgb(255, 0, 0));
  EXPECT_EQ(Shown(15, 15), qRgb(0, 255, 0)) << "the gadget shows through";
  EXPECT_EQ(Shown(60, 60), qRgb(240, 240, 240)) << "the button face";

  ASSERT_TRUE(StartDrawingOnWindow(0));  // reading the window sees the same
  EXPECT_EQ(PixelColour(6, 6), kRed);
  EXPECT_EQ(PixelColour(15, 15), Rgb(0, 255, 0));
  EXPECT_EQ(PixelColour(60, 60), kButtonFaceColour);
  ResizeWindow(0, 300, 200);
  FillRect(290, 190, 4, 4, kRed);  // drawing goes on, on the larger surface
  StopDrawing();
  EXPECT_EQ(Shown(6, 6), qRgb(255, 0, 0));
  EXPECT_EQ(Shown(291, 191), qRgb(255, 0, 0));
  FreeImage(95);
}

}  // namespace
