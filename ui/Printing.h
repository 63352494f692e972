#pragma once
// Printing up to six saved puzzles on one page, with a full-screen preview
// and an export of the page as a bitmap.

#include <string>

// The selection dialog "Drucken...": six slots for ".sdk" files. Its
// "Drucken" composes the page, shows the preview and offers to save the page
// as an image (asking before it replaces a file). Returns 1 when the user
// chose "Drucken" in the preview.
int ShowPrintSelection();

// Loads the puzzle at path into the main board and draws it onto the current
// drawing target: the large grid with its top-left corner at (x, y) and the
// cells' digits and candidates.
void DrawSavedPuzzle(const std::string& path, int x, int y);

// Prints the page image as the one-page document "Sudoku", after the
// system's print dialog: pixel for pixel, as large as the printable area of
// the chosen paper allows.
void PrintPage();
