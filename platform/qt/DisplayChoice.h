#pragma once
// Which of the desktop's displays the program uses, from the environment.
// The program places its windows at screen positions and reads them back,
// which a Wayland compositor allows no client to do; so an X display wins
// where there is one (XWayland on a Wayland desktop), and the user's own
// choice of QT_QPA_PLATFORM wins over that.

#include <string>

struct DisplayChoice {
  // The platform to ask Qt for, "" to leave the choice to Qt (the user set
  // QT_QPA_PLATFORM).
  std::string platform;
  // Not empty when there is no display to use: the line to print instead.
  std::string missing;
};

// From the values of QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY (null or ""
// when not set).
DisplayChoice ChooseDisplay(const char* qpaPlatform, const char* display, const char* waylandDisplay);
