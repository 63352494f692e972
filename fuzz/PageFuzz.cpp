// Any bytes as the puzzles of a printed page: the first 4000 bytes as one
// ".sdk" file, the rest as a second (each a dump or a text puzzle), each
// loaded and drawn as the print composes its page, onto a page of one row of
// two slots (the full page repeats the same drawing three times over). Runs
// on Qt's offscreen platform.

#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "ui/BoardImages.h"
#include "ui/Fonts.h"
#include "ui/Printing.h"
#include "ui/Resources.h"

namespace {

constexpr int kPageWidth = 2100;
constexpr int kPageHeight = 992;

std::string gFolder;

// A failed check names its line, then ends the run as a finding.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s:%d\n", __FILE__, line);
  std::abort();
}

std::string WritePuzzleFile(const std::string& name, std::string_view bytes) {
  const std::string path = gFolder + "/" + name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  static char name[] = "page_fuzz";
  static char* arguments[] = {name, nullptr};
  StartWindowSystem(1, arguments);
  std::atexit(EndWindowSystem);  // before the window system's own state goes
  LoadProgramFonts();
  PrepareImages();
  const QByteArray temporary = qEnvironmentVariableIsEmpty("TMPDIR") ? QByteArray("/tmp") : qgetenv("TMPDIR");
  std::string pattern = temporary.toStdString() + "/page-fuzz-XXXXXX";
  Require(::mkdtemp(pattern.data()) != nullptr);
  gFolder = pattern;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view first = input.substr(0, kPuzzleFileSize);
  const std::string_view second = input.substr(first.size(), kPuzzleFileSize);

  Require(CreateImage(kPageImage, kPageWidth, kPageHeight));
  Require(StartDrawingOnImage(kPageImage));
  FillRect(0, 0, kPageWidth, kPageHeight, kWhite);
  DrawSavedPuzzle(WritePuzzleFile("first.sdk", first), 75, 46);
  std::string_view last = first;
  if (!second.empty()) {
    DrawSavedPuzzle(WritePuzzleFile("second.sdk", second), 1050, 46);
    last = second;
  }
  DrawingFont(kPrintSmallFont);
  DrawTextAt(1400, kPageHeight - 70, kCreditText, kBlack);
  Require(PixelColour(10, 10) == kWhite);
  StopDrawing();

  // The main board holds the puzzle drawn last, read from its file as from
  // its bytes: a dump, or a text puzzle.
  const Board drawn = gMainBoard;
  ClearBoard(gMainBoard);
  LoadPuzzleFileStart(last);
  Require(gMainBoard == drawn);
  return 0;
}
