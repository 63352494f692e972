// The image gadget.

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/State.h"

namespace qtws {

ImageView::ImageView(int gadget, QWidget* parent) : QWidget(parent), gadget_(gadget) {}

void ImageView::SetImage(const QImage& image) {
  image_ = image;
  update();
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void ImageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PushGadgetEvent(gadget_, kLeftClick);
  if (event->button() == Qt::RightButton) PushGadgetEvent(gadget_, kRightClick);
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PushGadgetEvent(gadget_, kLeftDoubleClick);
  if (event->button() == Qt::RightButton) PushGadgetEvent(gadget_, kRightDoubleClick);
}

}  // namespace qtws
