#include "ui/Commands.h"

#include "generate/DifficultyDialog.h"
#include "generate/GeneratePuzzle.h"
#include "solve/ErrorCheck.h"
#include "solve/Solve.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardNames.h"
#include "ui/CellEditor.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"
#include "ui/Resources.h"

namespace {

const std::string kPuzzleExtension = ".sdk";

// A path of 4 characters or fewer names no puzzle (the empty path of a
// cancelled dialog, or ".sdk" alone).
bool NamesAPuzzle(const std::string& path) { return path.size() > 4; }

void OpenPuzzle() {
  gPuzzlePath = OpenFileDialog(kOpenTitle, kPuzzleFilter);
  if (NamesAPuzzle(gPuzzlePath)) LoadPuzzle(gPuzzlePath);
}

void SavePuzzleAs() {
  gPuzzlePath = SaveFileDialog("Speichern", kPuzzleFilter);
  if (!gPuzzlePath.ends_with(kPuzzleExtension)) gPuzzlePath += kPuzzleExtension;
  if (NamesAPuzzle(gPuzzlePath)) SavePuzzle(gPuzzlePath);
}

// The STOP button shows only while a long command runs.
template <typename Command>
void WithStopButton(Command command) {
  HideGadget(kStopButton, false);
  command();
  HideGadget(kStopButton, true);
}

void CreatePuzzle() {
  const std::string result = AskDifficulty(SliderStartPosition(gDifficulty));
  gDifficulty = DifficultyOfResult(result);
  if (ResultGoesOn(result)) WithStopButton([] { GeneratePuzzle(gDifficulty); });
}

}  // namespace

void HandleGadgetEvent(int gadget, int type, int state, int snappedX, int snappedY) {
  switch (gadget) {
    case kBoardGadget:
      if (type == kLeftClick) SelectCell(snappedX / 33, snappedY / 33);
      if (type != kDragStart) gFocusCueShown = false;  // a mouse user sees the board as ever
      break;
    case kOpenButton: OpenPuzzle(); break;
    case kFileButton: ShowMenuBesideWindow(kFileMenu, 68); break;
    case kCreateButton: CreatePuzzle(); break;
    case kSolveButton: ShowMenuBesideWindow(kSolveMenu, 168); break;
    case kClearButton: ClearBoard(gMainBoard); break;
    default:
      if (gadget >= kFirstDigitBox && gadget <= kLockBox) CellEditorClicked(gadget, state);
      break;
  }
}

void HandleMenuEvent(int item) {
  switch (item) {
    case kSaveItem: SavePuzzleAs(); break;
    case kPrintItem:
      if (ShowPrintSelection() == 1) PrintPage();
      break;
    case kSolveAllItem: WithStopButton([] { Solve(81); }); break;
    case kSolveStepItem: WithStopButton([] { Solve(1); }); break;
    case kCheckItem:
      CheckForErrors();
      Announce(ErrorCheckText());
      break;
    default: break;
  }
}
