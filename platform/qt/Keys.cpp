// Keys: what the focused gadget keeps, what presses a button, and what
// reaches the program as a key event.

#include "platform/qt/Keys.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include "platform/qt/State.h"

namespace qtws {

namespace {

int KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  switch (key) {
    case Qt::Key_Backspace: return kKeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return kKeySpace;
    case Qt::Key_Delete: return kKeyDelete;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    default: return 0;
  }
}

// Every modifier held counts, but Shift with a digit, which some keyboards
// (AZERTY) need to type the digit at all.
int ModifiersOf(const QKeyEvent& event, int key) {
  const Qt::KeyboardModifiers held = event.modifiers();
  const bool digit = key >= '0' && key <= '9';
  return (held & Qt::ShiftModifier && !digit ? kShiftKey : 0) | (held & Qt::ControlModifier ? kControlKey : 0) |
         (held & Qt::AltModifier ? kAltKey : 0) | (held & Qt::MetaModifier ? kSuperKey : 0);
}

// The gadget whose widget is the widget or holds it (a scroll area's inner
// widgets), or null.
const GadgetRecord* GadgetOf(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const QVariant number = widget->property(kGadgetProperty);
    if (number.isValid()) return FindGadget(number.toInt());
  }
  return nullptr;
}

bool IsButton(GadgetKind kind) { return kind == GadgetKind::kButton || kind == GadgetKind::kImageButton; }

bool WorksWith(const GadgetRecord& gadget, int key) {
  const bool scrolls = key >= kKeyLeft && key <= kKeyPageDown;
  switch (gadget.kind) {
    case GadgetKind::kButton:
    case GadgetKind::kImageButton: return key == kKeySpace || key == kKeyEnter;
    case GadgetKind::kCheckBox: return key == kKeySpace;
    case GadgetKind::kSlider:
    case GadgetKind::kTextField:
    case GadgetKind::kScrollArea: return scrolls;
    case GadgetKind::kImage: return scrolls && gadget.scrollArea >= 0;  // its scroll area's
    default: return false;
  }
}

// A shown, enabled button that has the key, of the window the key was
// pressed in or of the window that owns it (the main window, for a key
// pressed in the cell editor). A dialog's buttons are thus pressed by keys
// pressed in that dialog only, and a dialog's key never reaches a button of
// another dialog.
QAbstractButton* ShownButtonWithKey(int key, int window) {
  const WindowRecord* record = FindWindow(window);
  const int owner = record ? record->owner : -1;
  for (int candidate : {window, owner}) {
    if (candidate < 0) continue;
    for (auto& [number, gadget] : gState.gadgets) {
      if (gadget.key != key || gadget.window != candidate || !gadget.widget) continue;
      auto* button = qobject_cast<QAbstractButton*>(gadget.widget.data());
      if (button && button->isVisible() && button->isEnabled()) return button;
    }
  }
  return nullptr;
}

}  // namespace

bool RouteKey(int window, const QKeyEvent& event) {
  const int key = KeyCodeOf(event);
  if (key == 0) return false;
  const int modifiers = ModifiersOf(event, key);
  const bool plain = modifiers == 0;
  const WindowRecord* record = FindWindow(window);
  const GadgetRecord* focused = record ? GadgetOf(record->widget->focusWidget()) : nullptr;
  if (plain && focused && focused->widget->isEnabled() && WorksWith(*focused, key)) {
    // Qt's buttons outside its own dialogs leave Enter alone.
    if (key != kKeyEnter || !IsButton(focused->kind)) return false;
    static_cast<QAbstractButton*>(focused->widget.data())->click();
    return true;
  }
  if (plain) {
    if (QAbstractButton* button = ShownButtonWithKey(key, window)) {
      button->click();
      return true;
    }
  }
  PushEvent({kEventKey, -1, 0, -1, window, -1, key, modifiers});
  return true;
}

}  // namespace qtws

void SetGadgetKey(int gadget, int key) {
  if (qtws::GadgetRecord* record = qtws::FindGadget(gadget)) record->key = key;
}
