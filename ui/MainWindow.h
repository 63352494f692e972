#pragma once
// The main window, its gadgets and its two pop-up menus.

// Opens window 0 centred on the screen with gadgets 0 to 8 (the STOP button
// hidden) and creates the file menu and the solve menu.
void OpenMainWindow();

// Shows a pop-up menu beside the main window's right edge, at the given
// distance below its outer top edge.
void ShowMenuBesideWindow(int menu, int belowTop);
