#include "ui/Commands.h"

#include <algorithm>

#include "board/History.h"
#include "generate/DifficultyDialog.h"
#include "generate/GeneratePuzzle.h"
#include "solve/ErrorCheck.h"
#include "solve/Solve.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardNames.h"
#include "ui/CellEditor.h"
#include "ui/Hint.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"
#include "ui/PuzzleClipboard.h"
#include "ui/PuzzleHelp.h"

namespace {

const std::string kPuzzleExtension = ".sdk";

// A path of 4 characters or fewer names no puzzle (the empty path of a
// cancelled dialog, or ".sdk" alone).
bool NamesAPuzzle(const std::string& path) { return path.size() > 4; }

// A screen reader's user hears which puzzle is on the board and how full it
// is (in place of the cells that changed), and that a save was written.
void OpenPuzzle() {
  gPuzzlePath = OpenFileDialog(kOpenTitle, kPuzzleFilter);
  if (NamesAPuzzle(gPuzzlePath) && LoadPuzzle(gPuzzlePath) != PuzzleFound::kNothing)
    Announce(OpenedPuzzleText(gPuzzlePath));
}

void SavePuzzleAs() {
  gPuzzlePath = SaveFileDialog("Speichern", kPuzzleFilter);
  if (!gPuzzlePath.ends_with(kPuzzleExtension)) gPuzzlePath += kPuzzleExtension;
  if (NamesAPuzzle(gPuzzlePath) && SavePuzzle(gPuzzlePath)) Announce("Gespeichert: " + FileNameText(gPuzzlePath));
}

// The STOP button shows only while a long command runs, whose texts go to
// the status line's own corner.
template <typename LongCommand>
void WithStopButton(LongCommand command) {
  RestoreStatusLine();
  HideGadget(kStopButton, false);
  command();
  HideGadget(kStopButton, true);
}

void CreatePuzzle() {
  const std::string result = AskDifficulty(SliderStartPosition(gDifficulty));
  gDifficulty = DifficultyOfResult(result);
  if (ResultGoesOn(result)) WithStopButton([] { GeneratePuzzle(gDifficulty); });
}

// Arrows, Home, End, Page Up and Page Down move the selection over columns
// and rows 1 to 9; the first move from column 0, row 0 lands on A1. With Ctrl,
// Home and End go to A1 and I9.
void MoveSelection(int key, bool control) {
  int col = gSelectedColumn, row = gSelectedRow;
  switch (key) {
    case kKeyLeft: --col; break;
    case kKeyRight: ++col; break;
    case kKeyUp: --row; break;
    case kKeyDown: ++row; break;
    case kKeyHome: col = 1; row = control ? 1 : row; break;
    case kKeyEnd: col = 9; row = control ? 9 : row; break;
    case kKeyPageUp: row = 1; break;
    case kKeyPageDown: row = 9; break;
    default: return;
  }
  SelectCell(std::clamp(col, 1, 9), std::clamp(row, 1, 9));
}

// A key that selects or edits a cell shows the board's focus cue and gives
// the board the keyboard focus, so that a screen reader follows the selected
// cell; a click on the board (not a drag) hides the cue, so a mouse user sees
// the board as ever.
void ShowFocusCue(bool shown) {
  gFocusCueShown = shown;
  if (shown) FocusGadget(kBoardGadget);
}

// Undo and redo say what they did before the change itself is said.
void UndoStep() { Announce(Undo() ? "R\xFC" "ckg\xE4ngig" : "Nichts r\xFC" "ckg\xE4ngig zu machen"); }
void RedoStep() { Announce(Redo() ? "Wiederhergestellt" : "Nichts wiederherzustellen"); }

}  // namespace

bool KeepsErrorDisplay(const CommandRow& row) {
  return row.menuItem != kNoMenuItem || row.command == Command::kHint || row.command == Command::kCheckSolution;
}

bool CommandApplies(const CommandRow& row) {
  switch (row.applies) {
    case Applies::kIdle: return true;
    case Applies::kUnlockedCell: return !SelectedCellLocked();
    case Applies::kBusy: return false;
  }
  return false;
}

void RunCommand(const CommandRow& row, const CommandInput& input) {
  switch (row.command) {
    case Command::kToggleDigit:
      ToggleSelectedCandidate(input.byKey ? input.key - '0' : input.gadget - kFirstDigitBox + 1);
      if (input.byKey) ShowFocusCue(true);
      break;
    case Command::kClearCell:
      ClearSelectedCandidates();
      ShowFocusCue(true);
      break;
    case Command::kToggleLock:
      ToggleSelectedLock();
      if (input.byKey) ShowFocusCue(true);
      break;
    case Command::kSelectCell:
      if (input.type == kLeftClick) SelectCell(input.snappedX / 33, input.snappedY / 33);
      if (input.type != kDragStart) ShowFocusCue(false);
      break;
    case Command::kMove:
      MoveSelection(input.key, (input.modifiers & kControlKey) != 0);
      ShowFocusCue(true);
      break;
    case Command::kOpen: OpenPuzzle(); break;
    case Command::kShowFileMenu: ShowMenuBesideWindow(kFileMenu, 68); break;
    case Command::kSave: SavePuzzleAs(); break;
    case Command::kPrint:
      if (ShowPrintSelection() == 1) PrintPage();
      break;
    case Command::kCreate: CreatePuzzle(); break;
    case Command::kShowSolveMenu: ShowMenuBesideWindow(kSolveMenu, 168); break;
    case Command::kSolveAll: WithStopButton([] { Solve(81); }); break;
    case Command::kSolveStep: WithStopButton([] { Solve(1); }); break;
    case Command::kCheck:
      CheckForErrors();
      Announce(ErrorCheckText());
      break;
    case Command::kClear: ClearBoard(gMainBoard); break;
    case Command::kPaste: PastePuzzle(); break;
    case Command::kCopy: CopyPuzzle(); break;
    case Command::kHint:
      if (GiveHint()) ShowFocusCue(true);
      break;
    case Command::kCandidates: FillCandidates(); break;
    case Command::kCheckSolution: CheckAgainstSolution(); break;
    case Command::kRating: RatePuzzle(); break;
    case Command::kStop: break;  // taken by the long command's own poll
    case Command::kUndo: UndoStep(); break;
    case Command::kRedo: RedoStep(); break;
    case Command::kQuit: break;  // the loop ends after the pass
  }
}
