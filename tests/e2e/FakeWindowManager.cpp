// A window manager that announces what it never does, as a hung or a sloppy
// one would: the root window names a check window that names itself, and
// _NET_SUPPORTED lists _NET_REQUEST_FRAME_EXTENTS and maximising, but no
// frame request is ever answered and no window is framed or maximised.
//
// Usage: fake-window-manager [--manage] [--unlisted]
// With --manage it also takes the requests to map, move and resize windows
// (as a window manager does) and grants each as asked, and prints a line
// "frame request" for each frame request it is sent; without, windows map
// by themselves. With --unlisted, _NET_SUPPORTED does not list frame
// requests, so no client should send one. Prints "ready" once announced and
// runs until it is ended; the announcement stays on the root window after
// that, as a stale one.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Windows go while their requests wait; the errors about them mean nothing.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

void SetWindowProperty(Display* display, Window window, Atom property, Window value) {
  XChangeProperty(display, window, property, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&value), 1);
}

void Announce(Display* display, bool unlisted) {
  const Window root = DefaultRootWindow(display);
  const Window check = XCreateSimpleWindow(display, root, -10, -10, 1, 1, 0, 0, 0);
  const Atom supportingCheck = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  SetWindowProperty(display, check, supportingCheck, check);
  const char name[] = "Fake";
  XChangeProperty(display, check, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(name), static_cast<int>(std::strlen(name)));
  SetWindowProperty(display, root, supportingCheck, check);

  std::array<const char*, 7> features{"_NET_SUPPORTED",     "_NET_SUPPORTING_WM_CHECK",    "_NET_REQUEST_FRAME_EXTENTS",
                                      "_NET_FRAME_EXTENTS", "_NET_WM_STATE",               "_NET_WM_STATE_MAXIMIZED_VERT",
                                      "_NET_WM_STATE_MAXIMIZED_HORZ"};
  std::vector<Atom> atoms;
  for (const char* feature : features)
    if (!unlisted || std::strcmp(feature, "_NET_REQUEST_FRAME_EXTENTS") != 0)
      atoms.push_back(XInternAtom(display, feature, False));
  XChangeProperty(display, root, atoms[0], XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
}

// Grants the requests to map, move and resize windows exactly as asked, and
// tells the frame requests it is sent.
void Manage(Display* display) {
  const Atom frameRequest = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapRequest) {
      XMapWindow(display, event.xmaprequest.window);
    } else if (event.type == ConfigureRequest) {
      const XConfigureRequestEvent& request = event.xconfigurerequest;
      XWindowChanges changes{};
      changes.x = request.x;
      changes.y = request.y;
      changes.width = request.width;
      changes.height = request.height;
      changes.border_width = request.border_width;
      changes.sibling = request.above;
      changes.stack_mode = request.detail;
      XConfigureWindow(display, request.window, static_cast<unsigned int>(request.value_mask), &changes);
    } else if (event.type == ClientMessage && event.xclient.message_type == frameRequest) {
      std::printf("frame request\n");
      std::fflush(stdout);
    }
    XFlush(display);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool manage = false, unlisted = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--manage") == 0) manage = true;
    else if (std::strcmp(argv[i], "--unlisted") == 0) unlisted = true;
    else {
      std::fprintf(stderr, "usage: %s [--manage] [--unlisted]\n", argv[0]);
      return 2;
    }
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreError);
  if (manage) XSelectInput(display, DefaultRootWindow(display), SubstructureRedirectMask);
  Announce(display, unlisted);
  XSync(display, False);
  std::printf("ready\n");
  std::fflush(stdout);
  if (manage) Manage(display);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
  }
}
