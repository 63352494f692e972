// The program's top-level windows.

#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QScreen>
#include <QWindow>

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

// A window manager maximises a window some time after it is shown; wait a
// little for that, so that the inner size read next is the maximised one.
void AwaitExposure(QWidget* widget) {
  QElapsedTimer timer;
  timer.start();
  while (!(widget->windowHandle() && widget->windowHandle()->isExposed()) && timer.elapsed() < 250)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

}  // namespace qtws

using namespace qtws;

bool OpenWindow(int window, int x, int y, int innerWidth, int innerHeight, const std::string& title, int flags,
                int owner) {
  if (!gState.application || innerWidth < 0 || innerHeight < 0) return false;
  CloseWindow(window);
  auto widget = std::make_unique<ProgramWindow>(window);

  Qt::WindowFlags windowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (flags & kWindowCloseBox) windowFlags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  widget->setWindowFlags(windowFlags);
  widget->setWindowTitle(ShownTitle(title));

  const QRect work = WorkArea();
  const WindowRecord* ownerRecord = FindWindow(owner);
  if (flags & kWindowMaximised) {
    widget->setGeometry(work);
  } else {
    widget->setFixedSize(innerWidth, innerHeight);
    if (flags & kWindowOwnerCentred && ownerRecord) {
      const QRect ownerFrame = ownerRecord->widget->frameGeometry();
      widget->move(ownerFrame.x() + (ownerFrame.width() - innerWidth) / 2,
                   ownerFrame.y() + (ownerFrame.height() - innerHeight) / 2);
    } else if (flags & (kWindowScreenCentred | kWindowOwnerCentred)) {
      widget->move(work.x() + (work.width() - innerWidth) / 2, work.y() + (work.height() - innerHeight) / 2);
    } else {
      widget->move(x, y);
    }
  }

  // Kept above its owner without being its child, so either can close first.
  if (ownerRecord) {
    widget->winId();
    widget->windowHandle()->setTransientParent(ownerRecord->widget->windowHandle());
  }

  ProgramWindow* shown = widget.get();
  gState.windows[window] = WindowRecord{std::move(widget), title};
  if (flags & kWindowMaximised) {
    shown->showMaximized();
    AwaitExposure(shown);
  } else {
    shown->show();
  }
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

int WindowOuterX(int window) {
  const WindowRecord* record = FindWindow(window);
  return record ? record->widget->frameGeometry().x() : 0;
}

int WindowOuterY(int window) {
  const WindowRecord* record = FindWindow(window);
  return record ? record->widget->frameGeometry().y() : 0;
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
