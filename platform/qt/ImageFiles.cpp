// Writing the program's images to files.

#include <QFile>

#include "platform/qt/State.h"

using namespace qtws;

bool SaveImagePng(int image, const std::string& path, int width, int height) {
  if (width <= 0 || height <= 0 || path.empty()) return false;
  ReleaseDrawingOnImage(image);  // so that the pixels are complete
  const QImage* found = FindImage(image);
  if (!found || found->isNull()) return false;
  const QImage scaled = found->width() == width && found->height() == height
                            ? *found
                            : found->scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (scaled.isNull()) return false;
  return scaled.save(QFile::decodeName(QByteArray::fromStdString(path)), "PNG");
}
