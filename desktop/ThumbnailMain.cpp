// tolva-sudoku-thumbnailer: a preview of a puzzle file for file managers.
//
//   tolva-sudoku-thumbnailer [-s SIZE] PUZZLE PICTURE
//
// Writes the board of the ".sdk" file PUZZLE as the program would show it to
// PICTURE, a PNG of SIZE x SIZE pixels (128 unless given), or of the board's
// own 300 x 300 when SIZE is larger. File managers run it without a display
// and on files of any content, so it draws offscreen and reads the file as the
// program does: at most its first 4000 bytes, missing bytes as zeros. Exits 0
// with a picture written; 1 when the puzzle cannot be read or the picture not
// written; 2 for wrong arguments.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "board/Board.h"
#include "desktop/BoardPicture.h"
#include "platform/Platform.h"
#include "storage/FileReplace.h"
#include "storage/PuzzleFile.h"
#include "ui/BoardImages.h"
#include "ui/Fonts.h"

namespace {

constexpr int kDefaultSize = 128;
constexpr int kLargestSize = 4096;

struct Arguments {
  int size = kDefaultSize;
  std::string puzzle;
  std::string picture;
};

// A size of decimal digits only, 1 to kLargestSize; 0 otherwise.
int ParseSize(std::string_view text) {
  if (text.empty() || text.size() > 4) return 0;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value <= kLargestSize ? value : 0;
}

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
  int next = 1;
  if (next < argc && std::string_view(argv[next]) == "-s") {
    if (next + 1 >= argc) return false;
    arguments.size = ParseSize(argv[next + 1]);
    if (arguments.size == 0) return false;
    next += 2;
  }
  if (argc - next != 2) return false;
  arguments.puzzle = argv[next];
  arguments.picture = argv[next + 1];
  return !arguments.puzzle.empty() && !arguments.picture.empty();
}

// Qt looks into the runtime folder as it starts (for a sandbox's marker
// file); without XDG_RUNTIME_DIR, as in file managers' sandboxes, it warns on
// stderr and makes a shared one in the temporary folder. Such a run gets a
// private folder of its own instead; returns it, or "" when it has one.
std::string MakeRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return {};
  const char* temporary = std::getenv("TMPDIR");
  std::string folder = temporary != nullptr && *temporary == '/' ? temporary : "/tmp";
  folder += "/tolva-sudoku-thumbnailer.XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) return {};  // made with mode 0700
  setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  return folder;
}

void RemoveRuntimeFolder(const std::string& folder) {
  if (folder.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!ParseArguments(argc, argv, arguments)) {
    std::fputs("usage: tolva-sudoku-thumbnailer [-s SIZE] PUZZLE PICTURE\n", stderr);
    return 2;
  }
  // Directories, pipes and devices are no puzzles; a pipe could block the read.
  if (!CanOpenForReading(arguments.puzzle)) {
    std::fprintf(stderr, "tolva-sudoku-thumbnailer: cannot read %s\n", arguments.puzzle.c_str());
    return 1;
  }
  ClearBoard(gMainBoard);
  LoadPuzzle(arguments.puzzle);

  // Never a display, whatever the environment names, and none of the
  // arguments for Qt to read: they come from a file name.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string runtimeFolder = MakeRuntimeFolder();
  StartWindowSystem(1, argv);
  LoadProgramFonts();
  PrepareImages();
  const int side = arguments.size < kBoardPictureSide ? arguments.size : kBoardPictureSide;
  const bool saved = SaveBoardPicture(arguments.picture, side);
  EndWindowSystem();
  RemoveRuntimeFolder(runtimeFolder);
  if (!saved) {
    std::fprintf(stderr, "tolva-sudoku-thumbnailer: cannot write %s\n", arguments.picture.c_str());
    return 1;
  }
  return 0;
}
