// Start and end of the window system, and the command line.

#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include "platform/qt/State.h"

using namespace qtws;

void StartWindowSystem(int argc, char** argv) {
  if (gState.application) return;
  // QApplication keeps a reference to the count for its whole life.
  static int argumentCount;
  argumentCount = argc;
  gState.application = std::make_unique<QApplication>(argumentCount, argv);
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
  gState.argument = argumentCount > 1 && argv[1] ? argv[1] : "";
  InstallEventFilter();
  LoadDefaultFont();
}

void EndWindowSystem() {
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
}

std::string ProgramArgument() {
  std::string argument = gState.argument;
  if (!argument.empty() && argument.front() == '"') argument.erase(0, 1);
  if (!argument.empty() && argument.back() == '"') argument.pop_back();
  return argument;
}
