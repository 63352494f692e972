#pragma once
// The exported page image: a Windows bitmap, 24 bits per pixel, no
// compression, a 14-byte file header and a 40-byte information header, the
// bottom row first, each pixel blue, green, red, each row padded with zero
// bytes to 3 x width + (width mod 4) bytes. All numbers little-endian.

#include <cstdint>
#include <functional>
#include <string>

// colourAt(x, y) gives a pixel's colour as 0xBBGGRR.
using PixelSource = std::function<std::int32_t(int x, int y)>;

std::string BmpFileBytes(int width, int height, const PixelSource& colourAt);

// Writes the bitmap to path, as ReplaceFileContents writes. False when it
// cannot be written.
bool SaveBmpFile(const std::string& path, int width, int height, const PixelSource& colourAt);
