#include "platform/qt/DisplayChoice.h"

namespace {

bool IsSet(const char* value) { return value && *value; }

// "Oberfläche" in UTF-8, as the terminal shows it.
const std::string kNeedsDesktop = "tolva-sudoku: Das Programm braucht eine grafische Oberfl\xC3\xA4" "che, ";

}  // namespace

DisplayChoice ChooseDisplay(const char* qpaPlatform, const char* display, const char* waylandDisplay) {
  if (IsSet(qpaPlatform)) {
    // X11 chosen by name cannot work without an X display.
    if (std::string(qpaPlatform) == "xcb" && !IsSet(display))
      return {"", kNeedsDesktop + "aber DISPLAY ist nicht gesetzt."};
    return {};
  }
  if (IsSet(display)) return {IsSet(waylandDisplay) ? "xcb;wayland" : "xcb", ""};
  if (IsSet(waylandDisplay)) return {"wayland", ""};
  return {"", kNeedsDesktop + "aber weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt."};
}
