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

// Writes a clicked box's new state into the selected cell.
void CellEditorClicked(int gadget);

// Makes (col, row) the selected cell and names it in the title ("Feld A5").
void SelectCell(int col, int row);
