#include "tests/ui/UiTestSupport.h"

#include "ui/Resources.h"

int ImagePixel(int image, int x, int y) {
  StartDrawingOnImage(image);
  const int colour = PixelColour(x, y);
  StopDrawing();
  return colour;
}

int CountOnWindow(int colour, int x0, int y0, int x1, int y1) {
  StartDrawingOnWindow(kMainWindow);
  int count = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) count += PixelColour(x, y) == colour ? 1 : 0;
  StopDrawing();
  return count;
}

int WindowPixel(int x, int y) {
  StartDrawingOnWindow(kMainWindow);
  const int colour = PixelColour(x, y);
  StopDrawing();
  return colour;
}
