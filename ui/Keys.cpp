#include "ui/Keys.h"

#include <algorithm>

#include "board/History.h"
#include "ui/BoardDrawing.h"
#include "ui/CellEditor.h"
#include "ui/Commands.h"
#include "ui/Resources.h"

namespace {

// Arrows, Home, End, Page Up and Page Down move the selection over columns
// and rows 1 to 9; the first move from column 0, row 0 lands on A1. With Ctrl,
// Home and End go to A1 and I9.
bool MoveSelection(int key, bool control) {
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
    default: return false;
  }
  SelectCell(std::clamp(col, 1, 9), std::clamp(row, 1, 9));
  return true;
}

// Digits toggle a candidate, Delete, Backspace and 0 clear them, S toggles
// "sichern": each as a click on the cell editor's boxes would, so nothing
// changes a locked cell's candidates.
bool EditSelectedCell(int key) {
  if (key >= '1' && key <= '9')
    PressCellEditorBox(kFirstDigitBox + key - '1');
  else if (key == kKeyDelete || key == kKeyBackspace || key == '0')
    ClearSelectedCandidates();
  else if (key == 'S')
    PressCellEditorBox(kLockBox);
  else
    return false;
  return true;
}

KeyEffect RunGadget(int gadget) {
  HandleGadgetEvent(gadget, kLeftClick, -1, 0, 0);
  return KeyEffect::kGadget;
}

KeyEffect RunMenuItem(int item) {
  HandleMenuEvent(item);
  return KeyEffect::kMenu;
}

// Undo and redo say what they did before the change itself is said.
KeyEffect UndoStep() {
  const bool undone = Undo();
  Announce(undone ? "R\xFC" "ckg\xE4ngig" : "Nichts r\xFC" "ckg\xE4ngig zu machen");
  return undone ? KeyEffect::kHistory : KeyEffect::kNone;
}

KeyEffect RedoStep() {
  const bool redone = Redo();
  Announce(redone ? "Wiederhergestellt" : "Nichts wiederherzustellen");
  return redone ? KeyEffect::kHistory : KeyEffect::kNone;
}

KeyEffect HandleControlKey(int key, bool shift) {
  switch (key) {
    case 'O': return RunGadget(kOpenButton);
    case 'S': return RunMenuItem(kSaveItem);
    case 'P': return RunMenuItem(kPrintItem);
    case 'N': return RunGadget(kCreateButton);
    case 'L': return RunMenuItem(kSolveAllItem);
    case 'E': return RunMenuItem(kSolveStepItem);
    case 'F': return RunMenuItem(kCheckItem);
    case kKeyDelete: return RunGadget(kClearButton);
    case 'Z': return shift ? RedoStep() : UndoStep();
    case 'Y': return RedoStep();
    case 'Q':
    case 'W': return KeyEffect::kClose;
    default: return KeyEffect::kNone;
  }
}

}  // namespace

KeyEffect HandleKeyEvent(int key, int modifiers) {
  if (modifiers & kAltKey) return KeyEffect::kNone;
  const bool control = (modifiers & kControlKey) != 0;
  if (control && key != kKeyHome && key != kKeyEnd) return HandleControlKey(key, (modifiers & kShiftKey) != 0);
  if (!MoveSelection(key, control) && (control || !EditSelectedCell(key))) return KeyEffect::kNone;
  gFocusCueShown = true;
  return KeyEffect::kGadget;
}
