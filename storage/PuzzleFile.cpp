#include "storage/PuzzleFile.h"

#include <cstdint>

#include "platform/CoreServices.h"
#include "storage/FileReplace.h"
#include "storage/PlainText.h"
#include "storage/TextPuzzle.h"

namespace {

constexpr const char* kOverwriteTitle = "Fehler";
constexpr const char* kOverwriteQuestion = "Soll die Datei wirklich \xFC" "berschrieben werden?";

// Calls visit(field) for every field of the main board in file order.
template <typename Visit>
void ForEachFieldInFileOrder(Visit visit) {
  for (auto& column : gMainBoard)
    for (Cell& cell : column)
      for (int field = 0; field < kCellFields; ++field) visit(CellField(cell, field));
}

}  // namespace

std::string PuzzleBytes() {
  std::string bytes;
  bytes.reserve(kPuzzleFileSize);
  ForEachFieldInFileOrder([&](std::int32_t& field) {
    const auto value = static_cast<std::uint32_t>(field);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
  });
  return bytes;
}

bool SavePuzzle(const std::string& path) {
  if (CanOpenForReading(path) && !AskYesNo(kOverwriteTitle, kOverwriteQuestion)) return false;
  return ReplaceFileContents(path, PuzzleBytes());
}

PuzzleFound LoadPuzzle(const std::string& path) {
  std::string bytes;
  if (!ReadFileStart(path, kTextPuzzleLimit + 1, bytes)) return PuzzleFound::kNothing;
  return LoadPuzzleFileStart(bytes);
}

PuzzleFound LoadPuzzleFileStart(std::string_view start) {
  const bool dump = start.size() == static_cast<std::size_t>(kPuzzleFileSize) ||
                    (start.find('\0') != std::string_view::npos && !StartsAsUtf16(start));
  if (!dump && LoadTextPuzzle(start)) return PuzzleFound::kText;
  LoadPuzzleBytes(start);
  return dump ? PuzzleFound::kDump : PuzzleFound::kOther;
}

void LoadPuzzleBytes(std::string_view bytes) {
  std::size_t offset = 0;
  ForEachFieldInFileOrder([&](std::int32_t& field) {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8, ++offset)
      if (offset < bytes.size()) value |= std::uint32_t{static_cast<unsigned char>(bytes[offset])} << shift;
    field = static_cast<std::int32_t>(value);
  });
}
