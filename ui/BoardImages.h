#pragma once
// The images drawn once at start-up: the large grid for printing, the board,
// and the six icons of the main window's buttons.

// Draws images 0 to 7. Needs font 3 for the stop icon.
void PrepareImages();
