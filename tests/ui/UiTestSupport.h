#pragma once
// Reading what was drawn, for the user-interface tests.

#include <string>

#include "platform/Platform.h"

// A pixel of an image (0xBBGGRR).
int ImagePixel(int image, int x, int y);

// How many pixels of the colour the main window shows in the rectangle
// x0 to x1, y0 to y1 (inclusive).
int CountOnWindow(int colour, int x0, int y0, int x1, int y1);

// A pixel the main window shows.
int WindowPixel(int x, int y);
