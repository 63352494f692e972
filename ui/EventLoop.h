#pragma once
// The main loop: one pass per event of the program's windows.

// The pointer's square, snapped per axis to floor(p / 33) x 33 (-33 when the
// pointer is outside the main window's client area).
extern int gSnappedX;
extern int gSnappedY;

// 0 to 20, one step per pass; the error cell is painted red in the pass
// where it is 10.
extern int gBlinkCounter;

// floor(p / 33) x 33; -1 (outside) gives -33.
int SnapToSquare(int position);

// Waits for the next event and runs one pass: handles a gadget or menu event,
// redraws the board when the pointer entered another square or an event was
// handled, syncs the cell editor and advances the error display. Returns
// false after the pass that took the main window's close request.
bool RunPass();
