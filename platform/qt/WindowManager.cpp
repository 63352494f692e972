// What the window manager is told about a top-level window, and what it
// answers, on X11. Qt's own hints offer resizing on every window and leave
// the window type at "normal"; these replace them before the window is shown.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include "platform/qt/Widgets.h"

// Xlib after Qt: its macros (None, Bool, Status) would spoil Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <vector>

namespace qtws {

namespace {

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr long kMotifFunctions = 1, kMotifDecorations = 2;
constexpr long kFunctionResize = 2, kFunctionMove = 4, kFunctionMaximise = 16, kFunctionClose = 32;
constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16;

// A window manager answers a frame request within a few milliseconds; one
// that has not after this long is taken never to answer.
constexpr qint64 kFrameAnswerMs = 100;
// How long a window manager may take to maximise a window it has been asked
// to open maximised.
constexpr qint64 kMaximiseMs = 1000;

// The window whose frame request went unanswered, or 0: no window waits for
// a frame again until the window manager has told that window its frame.
Window gUnanswered = 0;

// Qt's own connection to the X server; none on other platforms (asking the
// offscreen platform would make it open a display of its own).
Display* XDisplay() {
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

// Errors of the requests made meanwhile (a window that is gone) are
// ignored: the requests then report nothing.
class IgnoringErrors {
 public:
  explicit IgnoringErrors(Display* display) : display_(display) {
    XSync(display_, False);
    previous_ = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  ~IgnoringErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  IgnoringErrors(const IgnoringErrors&) = delete;
  IgnoringErrors& operator=(const IgnoringErrors&) = delete;

 private:
  Display* display_;
  XErrorHandler previous_;
};

// The 32-bit values of a window's property, empty when it is not set.
std::vector<long> Property(Display* display, Window window, Atom property, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format, &count, &remaining,
                         &data) == Success &&
      data && format == 32)
    values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
  if (data) XFree(data);
  return values;
}

bool Contains(const std::vector<long>& values, Atom atom) {
  return std::find(values.begin(), values.end(), static_cast<long>(atom)) != values.end();
}

// A window manager runs: the root window names its check window, which names
// itself (a name left behind by one that has ended names a window that is
// gone, or another one), and the manager takes the requests to map and move
// windows. Only then is anything it announces worth waiting for.
bool WindowManagerRuns(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom check = Intern(display, "_NET_SUPPORTING_WM_CHECK");
  const std::vector<long> named = Property(display, root, check, XA_WINDOW);
  if (named.size() != 1) return false;
  {
    const IgnoringErrors quiet(display);
    if (Property(display, static_cast<Window>(named[0]), check, XA_WINDOW) != named) return false;
  }
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, root, &attributes) && (attributes.all_event_masks & SubstructureRedirectMask);
}

// The running window manager lists every one of the features in
// _NET_SUPPORTED.
bool Supported(Display* display, std::initializer_list<const char*> features) {
  if (!WindowManagerRuns(display)) return false;
  const std::vector<long> supported =
      Property(display, DefaultRootWindow(display), Intern(display, "_NET_SUPPORTED"), XA_ATOM);
  return std::all_of(features.begin(), features.end(),
                     [&](const char* feature) { return Contains(supported, Intern(display, feature)); });
}

// The frame the window manager has told the window, if any.
std::vector<long> ToldFrame(Display* display, Window window) {
  return Property(display, window, Intern(display, "_NET_FRAME_EXTENTS"), XA_CARDINAL);
}

// A window manager that left a frame request unanswered is asked again only
// once it has told that window its frame after all.
bool FrameRequestsAnswered(Display* display) {
  if (gUnanswered && ToldFrame(display, gUnanswered).size() == 4) gUnanswered = 0;
  return gUnanswered == 0;
}

}  // namespace

void DescribeToWindowManager(QWidget* window, const WindowLook& look) {
  Display* display = XDisplay();
  if (!display || !window->winId()) return;
  const Window id = static_cast<Window>(window->winId());

  // Only a window that may be resized and maximised is maximised by window
  // managers; it is opened maximised, so no sizing border is shown.
  const Atom motif = Intern(display, "_MOTIF_WM_HINTS");
  const long functions = kFunctionMove | (look.closeBox ? kFunctionClose : 0) |
                         (look.maximised ? kFunctionResize | kFunctionMaximise : 0);
  const long decorations = kDecorBorder | kDecorTitle | (look.closeBox ? kDecorMenu : 0);
  const std::array<long, 5> hints{kMotifFunctions | kMotifDecorations, functions, decorations, 0, 0};
  XChangeProperty(display, id, motif, motif, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(hints.data()),
                  static_cast<int>(hints.size()));

  // A tool palette: window managers give it no minimise box (openbox obeys
  // no other hint for that) and list it in no task bar.
  if (look.palette) {
    const long type = static_cast<long>(Intern(display, "_NET_WM_WINDOW_TYPE_TOOLBAR"));
    XChangeProperty(display, id, Intern(display, "_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
  }
  XFlush(display);
}

void GiveOwnerToWindowManager(QWidget* window, QWidget* owner) {
  Display* display = XDisplay();
  if (!display || !window->winId() || !owner->winId()) return;
  const Window id = static_cast<Window>(window->winId());
  XSetTransientForHint(display, id, static_cast<Window>(owner->winId()));
  // Window managers keep an owned window above its owner from the owner's
  // next raise on; the owner has just opened on top.
  XRaiseWindow(display, id);
  XFlush(display);
}

QMargins ExpectedFrame(QWidget* window) {
  Display* display = XDisplay();
  if (!display || !window->winId() || !FrameRequestsAnswered(display) ||
      !Supported(display, {"_NET_REQUEST_FRAME_EXTENTS"}))
    return {};
  const Window id = static_cast<Window>(window->winId());
  XDeleteProperty(display, id, Intern(display, "_NET_FRAME_EXTENTS"));

  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = id;
  request.xclient.message_type = Intern(display, "_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &request);
  XFlush(display);

  QElapsedTimer timer;
  timer.start();
  for (;;) {
    const std::vector<long> frame = ToldFrame(display, id);
    if (frame.size() == 4)
      return QMargins(static_cast<int>(frame[0]), static_cast<int>(frame[2]), static_cast<int>(frame[1]),
                      static_cast<int>(frame[3]));
    if (timer.elapsed() >= kFrameAnswerMs) break;
    QThread::msleep(2);
  }
  gUnanswered = id;
  return {};
}

bool WindowManagerMaximises() {
  Display* display = XDisplay();
  return display && FrameRequestsAnswered(display) &&
         Supported(display, {"_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"});
}

void AwaitMaximised(QWidget* window) {
  Display* display = XDisplay();
  if (!display || !window->winId()) return;
  const Window id = static_cast<Window>(window->winId());
  const Atom state = Intern(display, "_NET_WM_STATE");
  const Atom vertical = Intern(display, "_NET_WM_STATE_MAXIMIZED_VERT");
  const Atom horizontal = Intern(display, "_NET_WM_STATE_MAXIMIZED_HORZ");
  // Maximised once the window manager says so, and Qt knows the size the
  // X server gives the window.
  const auto maximised = [&] {
    if (!window->windowHandle()->isExposed()) return false;
    const std::vector<long> states = Property(display, id, state, XA_ATOM);
    XWindowAttributes attributes{};
    if (!Contains(states, vertical) || !Contains(states, horizontal) ||
        !XGetWindowAttributes(display, id, &attributes))
      return false;
    const qreal ratio = window->devicePixelRatioF();
    return qRound(window->width() * ratio) == attributes.width && qRound(window->height() * ratio) == attributes.height;
  };
  QElapsedTimer timer;
  timer.start();
  while (!maximised() && timer.elapsed() < kMaximiseMs) {
    QCoreApplication::processEvents();
    QThread::msleep(2);
  }
}

}  // namespace qtws
