// Creating the gadgets of a window.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

namespace qtws {

namespace {

// Deletes a gadget, and the gadgets inside it when it is a scroll area, so
// that its number can be used again.
void FreeGadget(int gadget) {
  auto found = gState.gadgets.find(gadget);
  if (found == gState.gadgets.end()) return;
  for (auto inner = gState.gadgets.begin(); inner != gState.gadgets.end();)
    inner = inner->second.scrollArea == gadget ? gState.gadgets.erase(inner) : std::next(inner);
  if (gState.scrollContent == gadget) gState.scrollContent = -1;
  delete found->second.widget.data();
  gState.gadgets.erase(found);
}

// Makes the widget of a new gadget in the window's client area, or in the
// inner area of the scroll area that is open for content. The parent widget
// owns it.
template <typename Widget, typename... Arguments>
Widget* NewGadget(int gadget, int window, GadgetKind kind, QRect geometry, Arguments&&... arguments) {
  FreeGadget(gadget);
  QWidget* parent = nullptr;
  const int scrollArea = gState.scrollContent;
  if (const GadgetRecord* area = FindGadget(scrollArea)) {
    parent = static_cast<QScrollArea*>(area->widget.data())->widget();
    window = area->window;
  } else if (WindowRecord* record = FindWindow(window)) {
    parent = record->widget.get();
  }
  if (!parent) return nullptr;
  auto* widget = new Widget(std::forward<Arguments>(arguments)..., parent);
  widget->setGeometry(geometry);
  widget->setProperty(kGadgetProperty, gadget);
  widget->show();
  gState.gadgets[gadget] = GadgetRecord{kind, window, scrollArea, widget, {}};
  RaiseSurface(window);
  return widget;
}

// A check box's event carries the state its click left it in: the program
// may set the box again from its own data before it takes the event.
void ReportClicks(QAbstractButton* button, int gadget) {
  QObject::connect(button, &QAbstractButton::clicked, button, [gadget, button](bool checked) {
    PushGadgetEvent(gadget, kLeftClick, button->isCheckable() ? (checked ? 1 : 0) : -1);
  });
}

}  // namespace

}  // namespace qtws

using namespace qtws;

void TextGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text) {
  if (auto* label = NewGadget<QLabel>(gadget, window, GadgetKind::kText, {x, y, w, h})) {
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetGadgetText(gadget, text);
  }
}

void ImageGadget(int gadget, int window, int x, int y, int w, int h, int image) {
  const GadgetRecord* area = FindGadget(gState.scrollContent);
  auto* view = NewGadget<ImageView>(gadget, window, GadgetKind::kImage, {x, y, w, h}, gadget);
  if (!view) return;
  if (area) {
    area->widget->setFocusPolicy(Qt::NoFocus);
    view->setFocusPolicy(Qt::StrongFocus);
  }
  SetGadgetImage(gadget, image);
}

void ImageButtonGadget(int gadget, int window, int x, int y, int w, int h, int image) {
  if (auto* button = NewGadget<QPushButton>(gadget, window, GadgetKind::kImageButton, {x, y, w, h})) {
    ReportClicks(button, gadget);
    SetGadgetImage(gadget, image);
  }
}

void ButtonGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text) {
  if (auto* button = NewGadget<QPushButton>(gadget, window, GadgetKind::kButton, {x, y, w, h})) {
    ReportClicks(button, gadget);
    SetGadgetText(gadget, text);
  }
}

void CheckBoxGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text) {
  // clicked() comes after the box has toggled, and only from the user.
  if (auto* box = NewGadget<QCheckBox>(gadget, window, GadgetKind::kCheckBox, {x, y, w, h})) {
    ReportClicks(box, gadget);
    SetGadgetText(gadget, text);
  }
}

void FrameGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text) {
  if (NewGadget<QGroupBox>(gadget, window, GadgetKind::kFrame, {x, y, w, h})) SetGadgetText(gadget, text);
}

void SliderGadget(int gadget, int window, int x, int y, int w, int h, int minimum, int maximum) {
  auto* slider = NewGadget<QSlider>(gadget, window, GadgetKind::kSlider, {x, y, w, h}, Qt::Horizontal);
  if (!slider) return;
  {
    const QSignalBlocker quiet(slider);
    slider->setRange(minimum, maximum);
  }
  // Changes the program makes are made with the signals blocked, so only the
  // user's moves arrive here.
  QObject::connect(slider, &QSlider::valueChanged, slider, [gadget] { PushGadgetEvent(gadget, kChange); });
}

void TextFieldGadget(int gadget, int window, int x, int y, int w, int h) {
  if (auto* field = NewGadget<QLineEdit>(gadget, window, GadgetKind::kTextField, {x, y, w, h}))
    field->setReadOnly(true);
}

void ScrollAreaGadget(int gadget, int window, int x, int y, int w, int h, int innerWidth, int innerHeight, int step) {
  auto* area = NewGadget<QScrollArea>(gadget, window, GadgetKind::kScrollArea, {x, y, w, h});
  if (!area) return;
  // The scroll area owns its inner area.
  auto* inner = new QWidget;
  inner->resize(innerWidth, innerHeight);
  area->setWidget(inner);
  area->horizontalScrollBar()->setSingleStep(step);
  area->verticalScrollBar()->setSingleStep(step);
}

void BeginScrollAreaContent(int scrollArea) {
  const GadgetRecord* record = FindGadget(scrollArea);
  gState.scrollContent = record && record->kind == GadgetKind::kScrollArea ? scrollArea : -1;
}

void EndScrollAreaContent() { gState.scrollContent = -1; }
