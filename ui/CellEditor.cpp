#include "ui/CellEditor.h"

#include <string>

#include "board/Board.h"
#include "ui/Resources.h"

int gSelectedColumn = 0;
int gSelectedRow = 0;

namespace {

// Wide enough for the box "sichern", which reaches x = 105, and for a title
// bar that shows the whole title of any cell ("Feld A1" to "Feld I9") beside the
// window manager's icon and close box.
constexpr int kEditorWidth = 130;
constexpr int kEditorHeight = 200;

Cell& SelectedCell() {
  return gMainBoard[static_cast<std::size_t>(gSelectedColumn)][static_cast<std::size_t>(gSelectedRow)];
}

}  // namespace

void OpenCellEditor(int x, int y) {
  OpenWindow(kCellEditorWindow, x, y, kEditorWidth, kEditorHeight, "", kWindowPalette);
  for (int digit = 1; digit <= 9; ++digit)
    CheckBoxGadget(kFirstDigitBox + digit - 1, kCellEditorWindow, 10, 10 + 20 * (digit - 1), 30, 20,
                   std::to_string(digit));
  CheckBoxGadget(kLockBox, kCellEditorWindow, 50, 90, 55, 20, "sichern");
}

void SyncCellEditor() {
  const Cell& cell = SelectedCell();
  const bool locked = cell.locked == 1;
  for (int digit = 1; digit <= 9; ++digit) {
    DisableGadget(kFirstDigitBox + digit - 1, locked);
    SetGadgetState(kFirstDigitBox + digit - 1, cell.candidate[static_cast<std::size_t>(digit - 1)]);
  }
  SetGadgetState(kLockBox, locked ? 1 : 0);
}

// A flag toggles from what the cell holds when the event is handled, so
// every box event of a batch counts, a click as much as a key, whatever the
// box showed meanwhile. Only a flag of exactly 1 is set.
void ToggleSelectedCandidate(int digit) {
  int& flag = SelectedCell().candidate[static_cast<std::size_t>(digit - 1)];
  flag = flag == 1 ? 0 : 1;
}

void ToggleSelectedLock() {
  int& flag = SelectedCell().locked;
  flag = flag == 1 ? 0 : 1;
}

bool SelectedCellLocked() { return SelectedCell().locked == 1; }

void ClearSelectedCandidates() { SelectedCell().candidate = {}; }

void SelectCell(int col, int row) {
  if (!OnBoard(col, row)) return;
  gSelectedColumn = col;
  gSelectedRow = row;
  SetWindowTitle(kCellEditorWindow, "Feld " + std::string(1, static_cast<char>(64 + col)) + std::to_string(row));
  SetGridCurrentCell(kBoardGadget, col, row);
}
