// The program's one event queue: what fills it and how it is taken.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include <chrono>

#include "platform/qt/Keys.h"
#include "platform/qt/SessionEnd.h"
#include "platform/qt/State.h"

namespace qtws {

namespace {

// The window messages that count as an event of their own: what the user and
// the window system do to a program window. The program's own drawing and
// gadget changes cause none of them, so a loop that draws in every pass does
// not feed itself.
bool IsWindowMessage(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::Expose:
    case QEvent::Resize:  // by the window manager, or the user through it
    case QEvent::FocusIn:  // a top-level window's activation
    case QEvent::FocusOut:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return true;
    default:
      return false;
  }
}

int ProgramWindowOf(const QObject* object) {
  for (const auto& [number, record] : gState.windows)
    if (record.widget->windowHandle() == object) return number;
  return -1;
}

// Whether a mouse button message is for a gadget that reports it as a gadget
// event of its own. An image gadget reports a click on the release, so its
// press is an other event, and a release that ends no click it reports as one
// itself.
bool GoesToGadget(QWidget* window, const QMouseEvent& event) {
  const bool left = event.button() == Qt::LeftButton;
  const bool press = event.type() == QEvent::MouseButtonPress;
  for (QWidget* widget = window->childAt(event.position().toPoint()); widget && widget != window;
       widget = widget->parentWidget()) {
    const QVariant number = widget->property(kGadgetProperty);
    if (!number.isValid()) continue;
    const GadgetRecord* record = FindGadget(number.toInt());
    if (!record || !widget->isEnabled()) return false;
    switch (record->kind) {
      case GadgetKind::kImage:
        return !press && (left || event.button() == Qt::RightButton);
      case GadgetKind::kImageButton:
      case GadgetKind::kButton:
      case GadgetKind::kCheckBox:
      case GadgetKind::kSlider:
        return left;
      default:
        return false;
    }
  }
  return false;
}

class WindowMessageFilter : public QObject {
 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    // The session manager's quit request (and any other) ends the program
    // through its own loop.
    if (event->type() == QEvent::Quit) {
      RequestEnd();
      return true;
    }
    if (event->type() == QEvent::Show && EndRequested()) CancelForEnd(object);
    if (!IsWindowMessage(event->type()) || !object->isWindowType()) return false;
    const int window = ProgramWindowOf(object);
    if (window < 0) return false;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)
      gState.keyboardLast = event->type() == QEvent::KeyPress;
    if (event->type() == QEvent::Enter) gState.pointerOver = window;
    if (event->type() == QEvent::Leave && gState.pointerOver == window) gState.pointerOver = -1;
    const bool button = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                        event->type() == QEvent::MouseButtonDblClick;
    if (button && GoesToGadget(FindWindow(window)->widget.get(), *static_cast<QMouseEvent*>(event))) return false;
    // While a pop-up menu is open every key is the menu's, also one that
    // still reaches the window below it before the window system has given
    // the menu the keyboard: Qt hands it on to the menu.
    if (event->type() == QEvent::KeyPress && !QApplication::activePopupWidget() &&
        RouteKey(window, *static_cast<QKeyEvent*>(event)))
      return true;
    PushEvent({kEventOther, -1, 0, -1, window});
    return false;
  }
};

EventKind TakeEvent() {
  if (EndRequested()) {
    // The main window's close request, whatever was still queued.
    gState.events.clear();
    gState.lastEvent = {kEventClose, -1, 0, -1, kMainWindow};
    return kEventClose;
  }
  if (gState.events.empty()) return kEventNone;
  gState.lastEvent = gState.events.front();
  gState.events.pop_front();
  return gState.lastEvent.kind;
}

}  // namespace

bool PointerMayBeOver(int window) { return WindowPositionsKnown() || gState.pointerOver == window; }

void InstallEventFilter() {
  gState.eventFilter = std::make_unique<WindowMessageFilter>();
  gState.application->installEventFilter(gState.eventFilter.get());
}

}  // namespace qtws

using namespace qtws;

EventKind WaitEvent() {
  while (gState.events.empty() && gState.application && !EndRequested())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return TakeEvent();
}

EventKind PollEvent() {
  using Clock = std::chrono::steady_clock;
  static Clock::time_point lastLook;
  if (gState.events.empty() && gState.application && !EndRequested()) {
    const Clock::time_point now = Clock::now();
    if (now - lastLook >= std::chrono::milliseconds(1)) {
      lastLook = now;
      QCoreApplication::processEvents();
    }
  }
  return TakeEvent();
}

int EventGadget() { return gState.lastEvent.gadget; }
int EventType() { return gState.lastEvent.type; }
int EventMenu() { return gState.lastEvent.menu; }
int EventWindow() { return gState.lastEvent.window; }
int EventState() { return gState.lastEvent.state; }
int EventKey() { return gState.lastEvent.key; }
int EventModifiers() { return gState.lastEvent.modifiers; }
