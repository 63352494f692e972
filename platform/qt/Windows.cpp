// The program's top-level windows.

#include <QCloseEvent>
#include <QCursor>
#include <QScreen>
#include <QWindow>

#include <algorithm>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

namespace qtws {

ProgramWindow::ProgramWindow(int number) : number_(number) {}

void ProgramWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  PushEvent({kEventClose, -1, 0, -1, number_});
}

void ProgramWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (surface) {
    ReleaseDrawingOnWindow(number_);
    surface->FitToWindow();
  }
}

namespace {

QRect WorkArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Qt shows the program's name in a title bar whose title is empty; a blank
// keeps an empty title empty on screen.
QString ShownTitle(const std::string& title) {
  return title.empty() ? QStringLiteral(" ") : FromWindows1252(title);
}

// The top-left corner of an area of the given size centred in the rectangle.
QPoint CentredIn(const QRect& area, const QSize& size) {
  return area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
}

}  // namespace

}  // namespace qtws

using namespace qtws;

bool OpenWindow(int window, int x, int y, int innerWidth, int innerHeight, const std::string& title, int flags,
                int owner) {
  if (!gState.application || innerWidth < 0 || innerHeight < 0) return false;
  CloseWindow(window);
  auto widget = std::make_unique<ProgramWindow>(window);
  const WindowRecord* ownerRecord = FindWindow(owner);

  // An owned window is a dialog to the window system: only then does Qt tell
  // the window manager to keep it above its owner.
  Qt::WindowFlags windowFlags = (ownerRecord ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (flags & kWindowCloseBox) windowFlags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  widget->setWindowFlags(windowFlags);
  widget->setWindowTitle(ShownTitle(title));
  widget->winId();
  // Kept above its owner without being its child, so either can close first.
  if (ownerRecord) widget->windowHandle()->setTransientParent(ownerRecord->widget->windowHandle());
  // A window manager maximises a window in its own way (xfwm4 drops the
  // borders); without one, or one that does not maximise, the window fills
  // the work area at a fixed size.
  const bool managerMaximises = (flags & kWindowMaximised) && WindowManagerMaximises();
  DescribeToWindowManager(widget.get(),
                          {(flags & kWindowCloseBox) != 0, (flags & kWindowPalette) != 0, managerMaximises});

  // Positions are those of the outer frame, whose size the window manager
  // tells before the window is shown.
  const QMargins frame = ExpectedFrame(widget.get());
  const QRect work = WorkArea();
  if (flags & kWindowMaximised) {
    innerWidth = std::max(0, work.width() - frame.left() - frame.right());
    innerHeight = std::max(0, work.height() - frame.top() - frame.bottom());
  }
  if (managerMaximises) {
    widget->resize(innerWidth, innerHeight);  // when restored
    widget->setWindowState(Qt::WindowMaximized);
  } else {
    widget->setFixedSize(innerWidth, innerHeight);
  }
  const QSize outer(innerWidth + frame.left() + frame.right(), innerHeight + frame.top() + frame.bottom());
  QPoint corner(x, y);
  if (flags & kWindowMaximised)
    corner = work.topLeft();
  else if (flags & kWindowOwnerCentred && ownerRecord)
    corner = CentredIn(ownerRecord->widget->frameGeometry(), outer);
  else if (flags & (kWindowScreenCentred | kWindowOwnerCentred))
    corner = CentredIn(work, outer);
  // The window exists already, so Qt places its client area (beside the
  // frame Qt knows of, if any).
  widget->move(corner + QPoint(frame.left(), frame.top()));
  const QPoint frameOffset = widget->geometry().topLeft() - corner;

  ProgramWindow* shown = widget.get();
  gState.windows[window] = WindowRecord{std::move(widget), title, frameOffset, ownerRecord ? owner : -1};
  shown->show();
  // Its gadgets are laid out from its size right after this.
  if (managerMaximises) AwaitMaximised(shown);
  return true;
}

void CloseWindow(int window) {
  auto found = gState.windows.find(window);
  if (found == gState.windows.end()) return;
  ReleaseDrawingOnWindow(window);
  for (auto gadget = gState.gadgets.begin(); gadget != gState.gadgets.end();) {
    if (gadget->second.window != window) {
      ++gadget;
      continue;
    }
    if (gState.scrollContent == gadget->first) gState.scrollContent = -1;
    gadget = gState.gadgets.erase(gadget);
  }
  gState.windows.erase(found);
}

bool WindowExists(int window) { return FindWindow(window) != nullptr; }

void SetWindowTitle(int window, const std::string& title) {
  if (WindowRecord* record = FindWindow(window)) {
    record->title = title;
    record->widget->setWindowTitle(ShownTitle(title));
  }
}

std::string WindowTitle(int window) {
  const WindowRecord* record = FindWindow(window);
  return record ? record->title : std::string();
}

// From the frame the window was placed with, so a window opened at a corner
// reads that corner back, and the next run opens it there again.
int WindowOuterX(int window) {
  const WindowRecord* record = FindWindow(window);
  return record ? record->widget->geometry().x() - record->frameOffset.x() : 0;
}

int WindowOuterY(int window) {
  const WindowRecord* record = FindWindow(window);
  return record ? record->widget->geometry().y() - record->frameOffset.y() : 0;
}

void SetWindowOwner(int window, int owner) {
  WindowRecord* record = FindWindow(window);
  const WindowRecord* ownerRecord = FindWindow(owner);
  if (!record || !ownerRecord || window == owner) return;
  record->owner = owner;
  GiveOwnerToWindowManager(record->widget.get(), ownerRecord->widget.get());
}

int WindowInnerWidth(int window) {
  const WindowRecord* record = FindWindow(window);
  return record ? record->widget->width() : 0;
}

int WindowInnerHeight(int window) {
  const WindowRecord* record = FindWindow(window);
  return record ? record->widget->height() : 0;
}

void ResizeWindow(int window, int innerWidth, int innerHeight) {
  if (WindowRecord* record = FindWindow(window); record && innerWidth >= 0 && innerHeight >= 0)
    record->widget->setFixedSize(innerWidth, innerHeight);
}

PointerPosition WindowPointer(int window) {
  const WindowRecord* record = FindWindow(window);
  if (!record || !PointerMayBeOver(window)) return {-1, -1};
  const QPoint pointer = record->widget->mapFromGlobal(QCursor::pos());
  const bool inside = pointer.x() >= 0 && pointer.y() >= 0 && pointer.x() <= record->widget->width() &&
                      pointer.y() <= record->widget->height();
  return inside ? PointerPosition{pointer.x(), pointer.y()} : PointerPosition{-1, -1};
}
