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

std::string BmpFileBytes(int width, int height, std::span<const std::int32_t> colours) {
  if (width < 0 || height < 0) return {};
  if (colours.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return {};
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
  // The rows are written through a pointer: a page has some six million
  // pixels, and a call for each of their bytes is slow in a debug build.
  bytes.resize(kHeaderBytes + imageBytes, '\0');
  char* out = bytes.data() + kHeaderBytes;
  for (std::uint32_t y = h; y-- > 0;) {
    const std::int32_t* colour = colours.data() + std::size_t{y} * w;
    char* pixel = out;
    for (std::uint32_t x = 0; x < w; ++x, pixel += 3) {
      const auto bgr = static_cast<std::uint32_t>(colour[x]);
      pixel[0] = static_cast<char>((bgr >> 16) & 0xFF);
      pixel[1] = static_cast<char>((bgr >> 8) & 0xFF);
      pixel[2] = static_cast<char>(bgr & 0xFF);
    }
    out += rowBytes;
  }
  return bytes;
}

bool SaveBmpFile(const std::string& path, int width, int height, std::span<const std::int32_t> colours) {
  const std::string bytes = BmpFileBytes(width, height, colours);
  return !bytes.empty() && ReplaceFileContents(path, bytes);
}
