#pragma once
// The board as the main window shows it, drawn onto the window's surface
// over the board gadget.

// Whether the board marks the selected cell with a thin frame inside it: from
// the first key that selects or edits a cell until the next mouse click on
// the board, so a person who uses the mouse alone never sees it.
extern bool gFocusCueShown;

// The board image at (20, 20), the labels 1 to 9 and A to I, the crosshair
// of the snapped pointer position (drawn when both coordinates lie strictly
// between 0 and 300), and every puzzle cell of the main board: the digit of a
// filled cell large (black when locked, else green), the candidates of an
// undecided cell small and green, three to a line; then the focus cue.
void DrawBoard(int snappedX, int snappedY);

// The puzzle cells of the main board as DrawBoard draws them, onto the current
// drawing target, for a board image whose top-left corner is at (boardLeft,
// boardTop). Only the cells' texts: the board image goes underneath first.
void DrawBoardCells(int boardLeft, int boardTop);

// The error display: the red square over the error cell when squareFlag is
// 1, and a red frame three pixels wide along the board's edge.
void DrawErrorMarks(int errorColumn, int errorRow, int squareFlag);
