#pragma once
// The cell editor: a small window of nine digit boxes and the box "sichern",
// always showing the selected cell of the main board.

// The selected cell, column and row 0 to 9; (0, 0) until the first click on
// the board.
extern int gSelectedColumn;
extern int gSelectedRow;

// Opens the window with its outer top-left corner at (x, y).
void OpenCellEditor(int x, int y);

// Sets the ten boxes from the selected cell: the digit boxes from its
// candidate flags, greyed when the cell is locked; "sichern" from its locked
// flag.
void SyncCellEditor();

// A box's click or key: toggles the candidate flag of the digit (1 to 9), or
// the locked flag, of the selected cell.
void ToggleSelectedCandidate(int digit);
void ToggleSelectedLock();

bool SelectedCellLocked();

// Clears every candidate flag of the selected cell.
void ClearSelectedCandidates();

// Makes (col, row) the selected cell, names it in the title ("Feld A5") and
// makes it the board's current cell for assistive technology.
void SelectCell(int col, int row);
