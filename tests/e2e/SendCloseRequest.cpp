// Asks a top-level window to close, as a window manager's close box does: a
// WM_PROTOCOLS client message carrying WM_DELETE_WINDOW.
//
// Usage: send-close-request <exact window name>
// Exit status 0 when the message was sent, 1 when no such window was found,
// 2 on a usage or display error.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string WindowName(Display* display, Window window) {
  // Qt sets _NET_WM_NAME (UTF-8) and WM_NAME; the name looked for is ASCII, so
  // either serves. Prefer the UTF-8 one.
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count, &remaining,
                         &data) == Success &&
      data) {
    std::string name(reinterpret_cast<char*>(data), count);
    XFree(data);
    if (type == utf8) return name;
  }
  char* plain = nullptr;
  if (XFetchName(display, window, &plain) && plain) {
    std::string name(plain);
    XFree(plain);
    return name;
  }
  return {};
}

// Depth-first over the window tree: without a window manager the program's
// windows are children of the root; with one they sit inside its frames.
Window FindByName(Display* display, Window window, const std::string& wanted) {
  if (WindowName(display, window) == wanted) return window;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count && !found; ++i) found = FindByName(display, children[i], wanted);
  if (children) XFree(children);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <window name>\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  const Window target = FindByName(display, DefaultRootWindow(display), argv[1]);
  if (!target) {
    std::fprintf(stderr, "no window named \"%s\"\n", argv[1]);
    XCloseDisplay(display);
    return 1;
  }

  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = target;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, target, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
  return 0;
}
