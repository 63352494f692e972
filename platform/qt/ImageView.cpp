// The image gadget.

#include <QApplication>
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

// A click is a press and a release of one button with the pointer kept
// within the drag distance in between; moving farther starts a drag.
void ImageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  pressed_ = event->button();
  pressedAt_ = event->position().toPoint();
  dragging_ = false;
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ == Qt::NoButton || dragging_) return;
  if ((event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance()) return;
  dragging_ = true;
  PushGadgetEvent(gadget_, kDragStart);
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == pressed_ && !dragging_)
    PushGadgetEvent(gadget_, pressed_ == Qt::LeftButton ? kLeftClick : kRightClick);
  else if (const GadgetRecord* record = FindGadget(gadget_))
    PushEvent({kEventOther, -1, 0, -1, record->window});
  if (event->button() == pressed_) pressed_ = Qt::NoButton;
}

// The release after a double click ends no click.
void ImageView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PushGadgetEvent(gadget_, kLeftDoubleClick);
  if (event->button() == Qt::RightButton) PushGadgetEvent(gadget_, kRightDoubleClick);
  pressed_ = Qt::NoButton;
}

void ImageView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  AnnounceCurrentCell(this, currentColumn_, currentRow_);
}

void ImageView::MakeGrid(int columns, int rows) {
  columns_ = std::max(0, columns);
  rows_ = std::max(0, rows);
  cellNames_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), QString());
  currentColumn_ = currentRow_ = 0;
  setFocusPolicy(columns_ * rows_ > 0 ? Qt::StrongFocus : Qt::NoFocus);
}

bool ImageView::HasCell(int column, int row) const {
  return column >= 1 && column <= columns_ && row >= 1 && row <= rows_;
}

void ImageView::SetCellName(int column, int row, const QString& name) {
  if (!HasCell(column, row)) return;
  QString& stored = cellNames_[static_cast<std::size_t>((row - 1) * columns_ + column - 1)];
  if (stored == name) return;
  stored = name;
  AnnounceCellName(this, column, row);
}

QString ImageView::CellName(int column, int row) const {
  return HasCell(column, row) ? cellNames_[static_cast<std::size_t>((row - 1) * columns_ + column - 1)] : QString();
}

void ImageView::SetCurrentCell(int column, int row) {
  if (!HasCell(column, row)) column = row = 0;
  if (column == currentColumn_ && row == currentRow_) return;
  const int previousColumn = currentColumn_, previousRow = currentRow_;
  currentColumn_ = column;
  currentRow_ = row;
  AnnounceCurrentCell(this, previousColumn, previousRow);
}

QRect ImageView::CellRect(int column, int row) const {
  if (!HasCell(column, row)) return {};
  const int left = width() * (column - 1) / columns_, right = width() * column / columns_;
  const int top = height() * (row - 1) / rows_, bottom = height() * row / rows_;
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace qtws
