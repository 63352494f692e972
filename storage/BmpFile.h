#pragma once
// The exported page image: a Windows bitmap, 24 bits per pixel, no
// compression, a 14-byte file header and a 40-byte information header, the
// bottom row first, each pixel blue, green, red, each row padded with zero
// bytes to 3 x width + (width mod 4) bytes. All numbers little-endian.

#include <cstdint>
#include <span>
#include <string>

// colours holds width x height colours (0xBBGGRR), row by row from the top:
// the colour of (x, y) at y x width + x. Empty when there are fewer, or a
// size is negative.
std::string BmpFileBytes(int width, int height, std::span<const std::int32_t> colours);

// Writes the bitmap to path, as ReplaceFileContents writes. False when it
// cannot be written or made.
bool SaveBmpFile(const std::string& path, int width, int height, std::span<const std::int32_t> colours);
