#pragma once
// The start and end of the desktop tools (the thumbnailer, make-icons): the
// window system without a display, the program's fonts and images ready for
// drawing the board.

// Starts the window system offscreen, whatever display the environment
// names, with only argv[0] for Qt to read (the other arguments may come from
// file names), then loads the fonts and draws the images.
void StartOffscreen(char** argv);

// Ends the window system and removes what StartOffscreen made.
void EndOffscreen();
