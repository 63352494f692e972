// Start and end of the window system, and the command line.

#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/qt/DisplayChoice.h"
#include "platform/qt/Memory.h"
#include "platform/qt/RuntimeFolder.h"
#include "platform/qt/SessionEnd.h"
#include "platform/qt/State.h"

using namespace qtws;

namespace {

// Qt ends the process with an abort when it cannot reach the display it
// chose; the program says so in a line of its own and ends with status 1.
QtMessageHandler gQtMessages = nullptr;

void EndWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    gQtMessages(type, context, message);
    return;
  }
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  std::fprintf(stderr,
               "tolva-sudoku: Die grafische Oberfl\xC3\xA4" "che ist nicht erreichbar (DISPLAY=%s, WAYLAND_DISPLAY=%s).\n",
               display ? display : "", wayland ? wayland : "");
  std::fflush(stderr);
  RemoveRuntimeFolder();
  ::_exit(1);
}

}  // namespace

void StartWindowSystem(int argc, char** argv) {
  if (gState.application) return;
  KeepLargeBlocksApart();
  // Qt's own options on the command line count as set: "-platform" as the
  // user's choice, "-display" as an X display.
  const char* chosenPlatform = std::getenv("QT_QPA_PLATFORM");
  const char* display = std::getenv("DISPLAY");
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) chosenPlatform = argv[i + 1];
    if (std::strcmp(argv[i], "-display") == 0) display = argv[i + 1];
  }
  const DisplayChoice choice = ChooseDisplay(chosenPlatform, display, std::getenv("WAYLAND_DISPLAY"));
  if (!choice.missing.empty()) {
    std::fprintf(stderr, "%s\n", choice.missing.c_str());
    std::exit(1);
  }

  // QApplication keeps references to the count and the arguments for its
  // whole life. The chosen platform goes in front of the program's own
  // arguments.
  static int argumentCount;
  static std::vector<char*> arguments;
  static std::string platformOption = "-platform", platform;
  platform = choice.platform;
  arguments.assign(argv, argv + argc);
  if (!platform.empty() && argc > 0)
    arguments.insert(arguments.begin() + 1, {platformOption.data(), platform.data()});
  argumentCount = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);

  MakeRuntimeFolder();
  UseGermanFormats();
  gQtMessages = qInstallMessageHandler(EndWithoutDisplay);
  gState.application = std::make_unique<QApplication>(argumentCount, arguments.data());
  qInstallMessageHandler(gQtMessages);
  QApplication::setQuitOnLastWindowClosed(false);
  UseGermanDialogs();

  // The same look offscreen and under any desktop: Fusion, with the button
  // face as every window's background.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QPalette palette = QApplication::style()->standardPalette();
  palette.setColor(QPalette::Window, ColourOf(kButtonFaceColour));
  QApplication::setPalette(palette);

  // The gadgets' texts: Arial at 8 points (11 pixels at 96 dots per inch), the
  // size of a classic dialog font, so that labels fit the gadgets made for it.
  QFont gadgetFont(QStringLiteral("Arial"));
  gadgetFont.setPixelSize(11);
  gadgetFont.setStyleStrategy(QFont::NoAntialias);
  QApplication::setFont(gadgetFont);

  // Qt has taken its own options out of the arguments by now.
  gState.argument = argumentCount > 1 && arguments[1] ? arguments[1] : "";
  InstallEventFilter();
  InstallAccessibility();
  LoadDefaultFont();
  StartWatchingForEnd();
}

void EndWindowSystem() {
  StopWatchingForEnd();
  StopDrawing();
  gState.scrollContent = -1;
  gState.gadgets.clear();
  gState.windows.clear();  // deletes every window with its gadgets
  gState.menus.clear();
  gState.images.clear();
  gState.fonts.clear();
  gState.events.clear();
  gState.lastEvent = {};
  gState.eventFilter.reset();
  gState.application.reset();
  RemoveRuntimeFolder();
}

bool WindowPositionsKnown() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

std::string ProgramArgument() {
  std::string argument = gState.argument;
  if (!argument.empty() && argument.front() == '"') argument.erase(0, 1);
  if (!argument.empty() && argument.back() == '"') argument.pop_back();
  return argument;
}
