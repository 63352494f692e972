// The program's numbered images.

#include "platform/qt/State.h"

using namespace qtws;

bool CreateImage(int image, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  QImage created(width, height, QImage::Format_RGB32);
  if (created.isNull()) return false;
  created.fill(0xFF000000u);
  ReleaseDrawingOnImage(image);
  gState.images[image] = created;
  return true;
}

void FreeImage(int image) {
  ReleaseDrawingOnImage(image);
  gState.images.erase(image);
}

bool ImageExists(int image) { return FindImage(image) != nullptr; }

int ImageWidth(int image) {
  const QImage* found = FindImage(image);
  return found ? found->width() : 0;
}

int ImageHeight(int image) {
  const QImage* found = FindImage(image);
  return found ? found->height() : 0;
}
