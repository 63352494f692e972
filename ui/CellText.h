#pragma once
// What a cell of the main board shows, on screen and on the printed page
// alike: the digit of a filled cell in a large font, black when the cell is
// locked and green when not; the candidates of an undecided cell in a small
// green font, three to a line; nothing for an empty cell.

// Where the texts of a cell go, measured from the cell's text origin.
struct CellTextLayout {
  int smallFont;
  int firstLineOffset;  // y of the first line of candidates
  int lineSpacing;      // from one line of candidates to the next
  int largeFont;
  int digitOffset;      // y of a filled cell's digit
};

// Draws cell (col, row) of the main board with its text origin at (x, y)
// onto the current drawing target.
void DrawCellText(int col, int row, int x, int y, const CellTextLayout& layout);
