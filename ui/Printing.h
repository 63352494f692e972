#pragma once
// Printing up to six saved puzzles on one page, with a full-screen preview
// and an export of the page as a bitmap.

#include <string>

// The selection dialog "Drucken..." and the preview, and their gadgets.
constexpr int kSelectionWindow = 5;
constexpr int kPreviewWindow = 6;
// The slots' read-only text fields, two columns (0 left, 1 right) of four
// lines (0 to 3, the fourth hidden): 30, 32, 34, 36 and 38, 40, 42, 44. The
// browse button "..." right of a field is the field's number + 1.
constexpr int SlotField(int column, int line) { return 30 + 8 * column + 2 * line; }
constexpr int kSelectionHelp = 46;
constexpr int kSelectionPrint = 47;   // "Drucken"
constexpr int kSelectionCancel = 48;  // "Abbrechen"
constexpr int kPreviewArea = 49;      // the scroll area over the whole window
constexpr int kPreviewImage = 50;     // the page
constexpr int kPreviewPrint = 51;     // "Drucken"
constexpr int kPreviewCancel = 52;    // "Abbrechen"

// The selection dialog "Drucken...": six slots for ".sdk" files. Its
// "Drucken" composes the page, shows the preview and offers to save the page
// as an image (asking before it replaces a file). Its close box, or the
// chord of "quit" (Ctrl+Q, Ctrl+W) pressed in any window, ends it as
// "Abbrechen"; the preview ends by its two buttons alone. Every other event
// of the other windows is dropped. Returns 1 when the user chose "Drucken" in
// the preview.
int ShowPrintSelection();

// Loads the puzzle at path into the main board and draws it onto the current
// drawing target: the large grid with its top-left corner at (x, y) and the
// cells' digits and candidates.
void DrawSavedPuzzle(const std::string& path, int x, int y);

// Prints the page image as the one-page document "Sudoku", after the
// system's print dialog: pixel for pixel, as large as the printable area of
// the chosen paper allows.
void PrintPage();
