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

void Surface::FitToWindow() {
  const QSize size = parentWidget()->size();
  setGeometry(QRect(QPoint(0, 0), size));
  if (canvas_.size() == size) return;
  QImage fitted(size, QImage::Format_ARGB32_Premultiplied);
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
  painter.drawImage(event->rect(), canvas_, event->rect());
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
