// The program's life: start-up, the main loop until the main window is
// closed, and the preferences written at exit.

#include "board/Board.h"
#include "solve/ErrorCheck.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "ui/BoardImages.h"
#include "ui/CellEditor.h"
#include "ui/EventLoop.h"
#include "ui/Fonts.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

// A puzzle named on the command line (ending exactly in ".sdk"), else the
// remembered one.
void LoadStartupPuzzle() {
  const std::string argument = ProgramArgument();
  if (argument.ends_with(".sdk"))
    LoadPuzzle(argument);
  else if (!gPuzzlePath.empty())
    LoadPuzzle(gPuzzlePath);
}

void StartUp() {
  ClearBoard(gMainBoard);
  gErrorColumn = -1;
  LoadProgramFonts();
  ReadSettings();
  LoadStartupPuzzle();
  PrepareImages();
  OpenCellEditor(gCellEditorX, gCellEditorY);
  OpenMainWindow();
}

void ShutDown() {
  if (WindowExists(kCellEditorWindow)) {
    gCellEditorX = WindowOuterX(kCellEditorWindow);
    gCellEditorY = WindowOuterY(kCellEditorWindow);
  }
  WriteSettings();
}

}  // namespace

int main(int argc, char** argv) {
  StartWindowSystem(argc, argv);
  StartUp();
  while (RunPass()) {
  }
  ShutDown();
  EndWindowSystem();
  return 0;
}
