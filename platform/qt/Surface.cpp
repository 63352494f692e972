// The drawing surface of a window.

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/State.h"

namespace qtws {

Surface::Surface(ProgramWindow* window) : QWidget(window) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  FitToWindow();
  show();
  raise();
}

// The canvas holds the window's device pixels: a square of them for each of
// the window's pixels.
void Surface::FitToWindow() {
  const QSize size = parentWidget()->size();
  setGeometry(QRect(QPoint(0, 0), size));
  const int scale = WholeScale(devicePixelRatioF());
  if (canvas_.size() == size * scale && ScaleOf(canvas_) == scale) return;
  QImage fitted(size * scale, QImage::Format_ARGB32_Premultiplied);
  fitted.setDevicePixelRatio(scale);
  fitted.fill(Qt::transparent);
  if (!canvas_.isNull() && !fitted.isNull()) {
    QPainter painter(&fitted);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, canvas_);
  }
  canvas_ = fitted;
}

void Surface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect shown = event->rect();
  const int scale = ScaleOf(canvas_);
  painter.drawImage(shown, canvas_, QRect(shown.topLeft() * scale, shown.size() * scale));
}

Surface* SurfaceOf(int window) {
  WindowRecord* record = FindWindow(window);
  if (!record) return nullptr;
  ProgramWindow* widget = record->widget.get();
  // Owned by the window, which deletes it with itself.
  if (!widget->surface) widget->surface = new Surface(widget);
  return widget->surface;
}

void RaiseSurface(int window) {
  if (const WindowRecord* record = FindWindow(window); record && record->widget->surface)
    record->widget->surface->raise();
}

}  // namespace qtws
