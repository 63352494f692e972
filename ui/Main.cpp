// The program's life: start-up, the main loop until the main window is
// closed or the program is asked to end, and the preferences and the undo
// history written at exit.

#include <utility>

#include "board/Board.h"
#include "board/History.h"
#include "solve/ErrorCheck.h"
#include "storage/FileReplace.h"
#include "storage/HistoryJournal.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "ui/BoardImages.h"
#include "ui/BoardNames.h"
#include "ui/CellEditor.h"
#include "ui/EventLoop.h"
#include "ui/Fonts.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

// A puzzle named on the command line (ending exactly in ".sdk"), else the
// remembered one; a screen reader's user hears which, and how full it is.
void LoadStartupPuzzle() {
  const std::string argument = ProgramArgument();
  const std::string path = argument.ends_with(".sdk") ? argument : gPuzzlePath;
  if (!path.empty() && LoadPuzzle(path) != PuzzleFound::kNothing) Announce(OpenedPuzzleText(path));
}

// The start-up puzzle replaces the board the last run left, so an undo
// brings that board back, and the steps before it; without a history the
// board before it is the empty one. From here on every step of the history
// goes to its journal.
void LoadStartupPuzzleAsAStep() {
  Board atExit{};
  LoadHistory(atExit);
  WatchHistory(JournalStep);
  StartJournal(atExit);
  LoadStartupPuzzle();
  RecordChange(atExit);
}

void StartUp() {
  ClearBoard(gMainBoard);
  gErrorColumn = -1;
  LoadProgramFonts();
  // Beside Data.prefs: what a killed exit write left there.
  RemoveStaleTemporaries(".");
  ReadSettings();
  LoadStartupPuzzleAsAStep();
  PrepareImages();
  OpenCellEditor(gCellEditorX, gCellEditorY);
  OpenMainWindow();
  // Above the main window, below the dialogs it opens.
  SetWindowOwner(kCellEditorWindow, kMainWindow);
}

// Runs once, also when the display connection is lost (the window system
// then calls it itself), so that the preferences are never written twice.
void ShutDown() {
  static bool done = false;
  if (std::exchange(done, true)) return;
  // Under a Wayland compositor the position read back is not the window's:
  // the stored one is kept.
  if (WindowExists(kCellEditorWindow) && WindowPositionsKnown()) {
    gCellEditorX = WindowOuterX(kCellEditorWindow);
    gCellEditorY = WindowOuterY(kCellEditorWindow);
  }
  WriteSettings();
  SaveHistory();
}

}  // namespace

int main(int argc, char** argv) {
  StartWindowSystem(argc, argv);
  StartUp();
  OnDisplayLost(ShutDown);
  while (RunPass()) {
  }
  ShutDown();
  EndWindowSystem();
  return 0;
}
