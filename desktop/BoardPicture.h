#pragma once
// The main board as a picture file: the board image with every cell's digit
// or candidates, drawn as the main window draws them.

#include <string>

// The length of the picture's side at its own size, one pixel per pixel of
// the board image.
constexpr int kBoardPictureSide = 300;

// Writes the main board to path as a PNG picture of side x side pixels,
// scaled from its own size. Needs the program's fonts and images. False when
// the picture cannot be made or written.
bool SaveBoardPicture(const std::string& path, int side);
