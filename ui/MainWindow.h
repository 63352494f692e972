#pragma once
// The main window, its gadgets and its two pop-up menus.

#include <string>

// Opens window 0 centred on the screen with gadgets 0 to 8 (the STOP button
// hidden) and creates the file menu and the solve menu.
void OpenMainWindow();

// Shows a pop-up menu beside the main window's right edge, at the given
// distance below its outer top edge.
void ShowMenuBesideWindow(int menu, int belowTop);

// The status line (gadget 7) for the texts of the hint and its sibling
// commands, which need more room than the status line's corner of the
// window: it takes the credit line's place below the board, as wide as the
// board, and shows the text (cut at a word with an ellipsis should it still
// not fit); a screen reader is told the spoken text.
void ShowHelpText(const std::string& shown, const std::string& spoken);

// Puts the status line back in its corner and the credit line below the
// board again, before a long command writes its
// texts there ("L\xF6sen...", "Erstellen...", "Fertig!").
void RestoreStatusLine();
