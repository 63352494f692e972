#include "storage/BmpFile.h"

#include "storage/FileReplace.h"

namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40;

void Put16(std::string& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 16; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

void Put32(std::string& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

std::string BmpFileBytes(int width, int height, const PixelSource& colourAt) {
  const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
  const std::uint32_t rowBytes = 3 * w + w % 4;
  const std::uint32_t imageBytes = rowBytes * h;
  std::string bytes;
  bytes.reserve(kHeaderBytes + imageBytes);
  bytes += "BM";
  Put32(bytes, kHeaderBytes + imageBytes);
  Put16(bytes, 0);
  Put16(bytes, 0);
  Put32(bytes, kHeaderBytes);
  Put32(bytes, 40);
  Put32(bytes, w);
  Put32(bytes, h);
  Put16(bytes, 1);
  Put16(bytes, 24);
  for (std::uint32_t value : {0u, imageBytes, 0u, 0u, 0u, 0u}) Put32(bytes, value);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const auto colour = static_cast<std::uint32_t>(colourAt(x, y));
      bytes += static_cast<char>((colour >> 16) & 0xFF);
      bytes += static_cast<char>((colour >> 8) & 0xFF);
      bytes += static_cast<char>(colour & 0xFF);
    }
    bytes.append(w % 4, '\0');
  }
  return bytes;
}

bool SaveBmpFile(const std::string& path, int width, int height, const PixelSource& colourAt) {
  return ReplaceFileContents(path, BmpFileBytes(width, height, colourAt));
}
