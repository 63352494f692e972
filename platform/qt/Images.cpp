// The program's numbered images.

#include <QGuiApplication>
#include <QScreen>

#include <climits>
#include <cmath>

#include "platform/qt/State.h"

namespace qtws {

namespace {

// Far beyond any screen's ratio; keeps sizes times the scale in range.
constexpr int kLargestScale = 8;

bool Create(int image, int width, int height, int scale) {
  if (width <= 0 || height <= 0 || width > INT_MAX / scale || height > INT_MAX / scale) return false;
  QImage created(width * scale, height * scale, QImage::Format_RGB32);
  if (created.isNull()) return false;
  created.setDevicePixelRatio(scale);
  created.fill(0xFF000000u);
  ReleaseDrawingOnImage(image);
  gState.images[image] = created;
  return true;
}

}  // namespace

int WholeScale(qreal ratio) {
  if (!(ratio >= 1)) return 1;
  return ratio >= kLargestScale ? kLargestScale : static_cast<int>(std::floor(ratio));
}

int ScreenScale() {
  const QScreen* screen = gState.application ? QGuiApplication::primaryScreen() : nullptr;
  return screen ? WholeScale(screen->devicePixelRatio()) : 1;
}

}  // namespace qtws

using namespace qtws;

bool CreateImage(int image, int width, int height) { return Create(image, width, height, 1); }

bool CreateScreenImage(int image, int width, int height) { return Create(image, width, height, ScreenScale()); }

void FreeImage(int image) {
  ReleaseDrawingOnImage(image);
  gState.images.erase(image);
}

bool ImageExists(int image) { return FindImage(image) != nullptr; }

int ImageWidth(int image) {
  const QImage* found = FindImage(image);
  return found ? found->width() / ScaleOf(*found) : 0;
}

int ImageHeight(int image) {
  const QImage* found = FindImage(image);
  return found ? found->height() / ScaleOf(*found) : 0;
}

std::vector<int> ImageColours(int image) {
  // No painter may hold the pixels while they are read.
  ReleaseDrawingOnImage(image);
  const QImage* found = FindImage(image);
  if (!found) return {};
  // Each pixel's colour is that of its top-left device pixel, as PixelColour reads it.
  const int scale = ScaleOf(*found);
  const int width = found->width() / scale, height = found->height() / scale;
  std::vector<int> colours(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  int* colour = colours.data();
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(found->constScanLine(y * scale));
    for (int x = 0; x < width; ++x) *colour++ = ColourOf(line[x * scale]);
  }
  return colours;
}
