// What the window manager is told about a top-level window, and what it
// answers, on X11. Qt's own hints offer resizing on every window and leave
// the window type at "normal"; these replace them before the window is shown.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include "platform/qt/Widgets.h"

// Xlib after Qt: its macros (None, Bool, Status) would spoil Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <array>
#include <vector>

namespace qtws {

namespace {

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr long kMotifFunctions = 1, kMotifDecorations = 2;
constexpr long kFunctionMove = 4, kFunctionClose = 32;
constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16;

// Qt's own connection to the X server; none on other platforms (asking the
// offscreen platform would make it open a display of its own).
Display* XDisplay() {
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

// The 32-bit values of a window's property, empty when it is not set.
std::vector<long> Property(Display* display, Window window, Atom property, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, property, 0, 32, False, type, &actualType, &format, &count, &remaining,
                         &data) == Success &&
      data && format == 32)
    values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
  if (data) XFree(data);
  return values;
}

bool WindowManagerRuns(Display* display) {
  const Window root = DefaultRootWindow(display);
  return !Property(display, root, Intern(display, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW).empty();
}

}  // namespace

void DescribeToWindowManager(QWidget* window, const WindowLook& look) {
  Display* display = XDisplay();
  if (!display || !window->winId()) return;
  const Window id = static_cast<Window>(window->winId());

  const Atom motif = Intern(display, "_MOTIF_WM_HINTS");
  const long functions = kFunctionMove | (look.closeBox ? kFunctionClose : 0);
  const long decorations = kDecorBorder | kDecorTitle | (look.closeBox ? kDecorMenu : 0);
  const std::array<long, 5> hints{kMotifFunctions | kMotifDecorations, functions, decorations, 0, 0};
  XChangeProperty(display, id, motif, motif, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(hints.data()),
                  static_cast<int>(hints.size()));

  // A tool palette beside the main window: window managers give it no
  // minimise box (the only hint that takes that box away in openbox).
  if (look.palette) {
    const long type = static_cast<long>(Intern(display, "_NET_WM_WINDOW_TYPE_TOOLBAR"));
    XChangeProperty(display, id, Intern(display, "_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
  }
  XFlush(display);
}

QMargins ExpectedFrame(QWidget* window) {
  Display* display = XDisplay();
  if (!display || !window->winId() || !WindowManagerRuns(display)) return {};
  const Window id = static_cast<Window>(window->winId());
  const Atom extents = Intern(display, "_NET_FRAME_EXTENTS");
  XDeleteProperty(display, id, extents);

  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = id;
  request.xclient.message_type = Intern(display, "_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &request);
  XFlush(display);

  // The answer comes within a few milliseconds; a window manager that does
  // not give it leaves the frame unknown.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 300) {
    const std::vector<long> frame = Property(display, id, extents, XA_CARDINAL);
    if (frame.size() == 4)
      return QMargins(static_cast<int>(frame[0]), static_cast<int>(frame[2]), static_cast<int>(frame[1]),
                      static_cast<int>(frame[3]));
    QThread::msleep(2);
  }
  return {};
}

}  // namespace qtws
