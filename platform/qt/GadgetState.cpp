// Reading and changing the gadgets: visibility, texts, states and images.

#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

namespace qtws {

namespace {

bool HasText(GadgetKind kind) {
  switch (kind) {
    case GadgetKind::kText:
    case GadgetKind::kButton:
    case GadgetKind::kCheckBox:
    case GadgetKind::kFrame:
    case GadgetKind::kTextField:
      return true;
    default:
      return false;
  }
}

void ShowText(const GadgetRecord& record, const QString& text) {
  QWidget* widget = record.widget.data();
  switch (record.kind) {
    case GadgetKind::kText:
      static_cast<QLabel*>(widget)->setText(text);
      break;
    case GadgetKind::kButton:
    case GadgetKind::kCheckBox:
      static_cast<QAbstractButton*>(widget)->setText(text);
      break;
    case GadgetKind::kFrame:
      static_cast<QGroupBox*>(widget)->setTitle(text);
      break;
    case GadgetKind::kTextField: {
      auto* field = static_cast<QLineEdit*>(widget);
      field->setText(text);
      field->setCursorPosition(0);  // show the beginning, as the system's fields do
      break;
    }
    default:
      break;
  }
}

}  // namespace

}  // namespace qtws

using namespace qtws;

bool GadgetExists(int gadget) { return FindGadget(gadget) != nullptr; }

void FocusGadget(int gadget) {
  if (GadgetRecord* record = FindGadget(gadget); record && record->widget) record->widget->setFocus(Qt::OtherFocusReason);
}

void MoveGadget(int gadget, int x, int y, int w, int h) {
  if (GadgetRecord* record = FindGadget(gadget)) record->widget->setGeometry(x, y, w, h);
}

void HideGadget(int gadget, bool hidden) {
  if (GadgetRecord* record = FindGadget(gadget)) record->widget->setHidden(hidden);
}

void DisableGadget(int gadget, bool disabled) {
  if (GadgetRecord* record = FindGadget(gadget)) record->widget->setDisabled(disabled);
}

bool GadgetHidden(int gadget) {
  const GadgetRecord* record = FindGadget(gadget);
  return record && record->widget->isHidden();
}

bool GadgetDisabled(int gadget) {
  const GadgetRecord* record = FindGadget(gadget);
  return record && record->widget->testAttribute(Qt::WA_Disabled);
}

void SetGadgetText(int gadget, const std::string& text) {
  GadgetRecord* record = FindGadget(gadget);
  if (!record || !HasText(record->kind)) return;
  record->text = text;
  ShowText(*record, record->kind == GadgetKind::kText ? FromWindows1252Lines(text) : FromWindows1252(text));
}

// A narrow field shows the end of the path, the file name, and the whole
// path in its tooltip.
void SetGadgetPath(int gadget, const std::string& path) {
  GadgetRecord* record = FindGadget(gadget);
  if (!record || !HasText(record->kind)) return;
  record->text = path;
  const QString shown = QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
  ShowText(*record, shown);
  if (record->kind == GadgetKind::kTextField) static_cast<QLineEdit*>(record->widget.data())->end(false);
  record->widget->setToolTip(shown);
}

std::string GetGadgetText(int gadget) {
  const GadgetRecord* record = FindGadget(gadget);
  return record ? record->text : std::string();
}

int GadgetTextWidth(int gadget, const std::string& text) {
  const GadgetRecord* record = FindGadget(gadget);
  if (!record) return 0;
  return QFontMetrics(record->widget->font()).horizontalAdvance(FromWindows1252(text));
}

void SetGadgetState(int gadget, int state) {
  GadgetRecord* record = FindGadget(gadget);
  if (!record) return;
  if (record->kind == GadgetKind::kCheckBox) {
    static_cast<QCheckBox*>(record->widget.data())->setChecked(state == 1);
  } else if (record->kind == GadgetKind::kSlider) {
    auto* slider = static_cast<QSlider*>(record->widget.data());
    const QSignalBlocker quiet(slider);
    slider->setValue(state);  // the slider clamps it to its range
  }
}

int GetGadgetState(int gadget) {
  const GadgetRecord* record = FindGadget(gadget);
  if (!record) return 0;
  if (record->kind == GadgetKind::kCheckBox) return static_cast<QCheckBox*>(record->widget.data())->isChecked() ? 1 : 0;
  if (record->kind == GadgetKind::kSlider) return static_cast<QSlider*>(record->widget.data())->value();
  return 0;
}

void SetGadgetImage(int gadget, int image) {
  GadgetRecord* record = FindGadget(gadget);
  if (!record) return;
  const QImage* found = FindImage(image);
  const QImage shown = found ? *found : QImage();
  if (record->kind == GadgetKind::kImage) {
    static_cast<ImageView*>(record->widget.data())->SetImage(shown);
  } else if (record->kind == GadgetKind::kImageButton) {
    auto* button = static_cast<QPushButton*>(record->widget.data());
    button->setIcon(QIcon(QPixmap::fromImage(shown)));
    button->setIconSize(shown.size() / ScaleOf(shown));
  }
}
