// The drawing target, and drawing images onto it.

#include <algorithm>
#include <memory>

#include "platform/qt/DrawingTarget.h"
#include "platform/qt/State.h"

namespace qtws {

namespace {

enum class TargetKind { kNone, kImage, kWindow };

struct Target {
  TargetKind kind = TargetKind::kNone;
  int number = -1;
  int font = 0;
  std::unique_ptr<QPainter> painter;
};

Target gTarget;

void ReleaseIf(TargetKind kind, int number) {
  if (gTarget.kind == kind && gTarget.number == number) gTarget.painter.reset();
}

void Start(TargetKind kind, int number) {
  gTarget.kind = kind;
  gTarget.number = number;
  gTarget.font = 0;
}

}  // namespace

QImage* TargetCanvas() {
  if (gTarget.kind == TargetKind::kImage) return FindImage(gTarget.number);
  if (gTarget.kind == TargetKind::kWindow) {
    Surface* surface = SurfaceOf(gTarget.number);
    return surface ? &surface->Canvas() : nullptr;
  }
  return nullptr;
}

QPainter* TargetPainter() {
  if (gTarget.painter) return gTarget.painter.get();
  QImage* canvas = TargetCanvas();
  if (!canvas || canvas->isNull()) return nullptr;
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(canvas)) return nullptr;
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setRenderHint(QPainter::TextAntialiasing, false);
  gTarget.painter = std::move(painter);
  return gTarget.painter.get();
}

QImage* TargetPixels() {
  gTarget.painter.reset();
  return TargetCanvas();
}

int TargetScale() {
  const QImage* canvas = TargetCanvas();
  return canvas ? ScaleOf(*canvas) : 1;
}

QSize TargetSize() {
  const QImage* canvas = TargetCanvas();
  if (!canvas) return {};
  const int scale = ScaleOf(*canvas);
  return {canvas->width() / scale, canvas->height() / scale};
}

void PaintPixel(QImage& canvas, int scale, int x, int y, QRgb colour) {
  for (int row = y * scale; row < (y + 1) * scale; ++row) {
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(row));
    std::fill(line + x * scale, line + (x + 1) * scale, colour);
  }
}

int DrawingFontNumber() { return gTarget.font; }

void ReleaseDrawingOnWindow(int window) { ReleaseIf(TargetKind::kWindow, window); }
void ReleaseDrawingOnImage(int image) { ReleaseIf(TargetKind::kImage, image); }

}  // namespace qtws

using namespace qtws;

bool StartDrawingOnImage(int image) {
  StopDrawing();
  if (!FindImage(image)) return false;
  Start(TargetKind::kImage, image);
  return true;
}

bool StartDrawingOnWindow(int window) {
  StopDrawing();
  if (!SurfaceOf(window)) return false;
  Start(TargetKind::kWindow, window);
  return true;
}

void StopDrawing() {
  gTarget.painter.reset();
  if (gTarget.kind == TargetKind::kWindow) {
    if (const WindowRecord* record = FindWindow(gTarget.number); record && record->widget->surface)
      record->widget->surface->update();
  }
  Start(TargetKind::kNone, -1);
}

void DrawingFont(int font) { gTarget.font = font; }

void DrawImageAt(int image, int x, int y) {
  const QImage* source = FindImage(image);
  if (!source) return;
  // An image drawn onto itself is copied first: the painter writes into the
  // very pixels it would read.
  const bool ontoItself = source == TargetCanvas();
  const QImage copy = ontoItself ? source->copy() : *source;
  QPainter* painter = TargetPainter();
  if (!painter) return;
  painter->setCompositionMode(QPainter::CompositionMode_Source);
  painter->drawImage(QPoint(x, y), copy);
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

int PixelColour(int x, int y) {
  QImage* canvas = TargetPixels();
  if (!canvas || !QRect(QPoint(0, 0), TargetSize()).contains(x, y)) return -1;
  // A pixel's colour is that of its top-left device pixel: the primitives
  // paint whole squares, only texts and copied images show finer detail.
  const int scale = ScaleOf(*canvas);
  const QRgb pixel = canvas->pixel(x * scale, y * scale);
  // Where nothing was drawn on a window's surface, the window shows through.
  if (qAlpha(pixel) != 255) {
    if (const WindowRecord* record = FindWindow(gTarget.number); record && gTarget.kind == TargetKind::kWindow)
      return ColourOf(record->widget->grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0));
  }
  return ColourOf(pixel);
}
