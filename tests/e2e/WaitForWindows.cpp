// Waits until a program shows a number of top-level windows, and tells when:
// for timing a program's start until its windows are on the screen.
//
// Usage: wait-for-windows CLASS COUNT SECONDS
// Prints "ready" once it watches, then, as soon as COUNT windows of the
// WM_CLASS class CLASS are shown (viewable, framed or not), the time of the
// system clock in nanoseconds since 1970, as `date +%s%N` does. Exit status 0
// then, 1 when SECONDS pass first, 2 on a usage or display error.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

bool OfClass(Display* display, Window window, const std::string& wanted) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  const bool same = hint.res_class && wanted == hint.res_class;
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return same;
}

// The shown windows of the class below the window: children of the root
// without a window manager, inside its frames with one.
int CountShown(Display* display, Window window, const std::string& wanted, int depth) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  int shown = 0;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
    if (OfClass(display, children[i], wanted))
      ++shown;
    else if (depth < 3)
      shown += CountShown(display, children[i], wanted, depth + 1);
  }
  if (children) XFree(children);
  return shown;
}

int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s CLASS COUNT SECONDS\n", argv[0]);
    return 2;
  }
  const std::string wanted = argv[1];
  const int count = std::atoi(argv[2]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[3]));
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreError);  // windows may go while they are looked at
  std::printf("ready\n");
  std::fflush(stdout);
  while (CountShown(display, DefaultRootWindow(display), wanted, 0) < count) {
    if (std::chrono::steady_clock::now() > deadline) return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  XCloseDisplay(display);
  return 0;
}
