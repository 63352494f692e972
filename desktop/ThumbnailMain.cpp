// tolva-sudoku-thumbnailer: a preview of a puzzle file for file managers.
//
//   tolva-sudoku-thumbnailer [-s SIZE] PUZZLE PICTURE
//
// Writes the board of the ".sdk" file PUZZLE as the program would show it to
// PICTURE, a PNG of SIZE x SIZE pixels (128 unless given), or of the board's
// own 300 x 300 when SIZE is larger. File managers run it without a display
// and on files of any content, so it draws offscreen and reads the file as the
// program does: a board dump (missing bytes as zeros) or a puzzle as text, at
// most its first 8193 bytes. Exits 0 with a picture written; 1 when the file
// cannot be read, is neither a board dump nor a puzzle, or the picture cannot
// be written; 2 for wrong arguments. A normal run prints nothing.

#include <cstdio>
#include <string>
#include <string_view>

#include "board/Board.h"
#include "desktop/BoardPicture.h"
#include "desktop/OffscreenStart.h"
#include "storage/FileReplace.h"
#include "storage/PuzzleFile.h"

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
  // A file manager shows its plain icon for a file that is no puzzle.
  if (LoadPuzzle(arguments.puzzle) == PuzzleFound::kOther) {
    std::fprintf(stderr, "tolva-sudoku-thumbnailer: no puzzle in %s\n", arguments.puzzle.c_str());
    return 1;
  }

  StartOffscreen(argv);
  const int side = arguments.size < kBoardPictureSide ? arguments.size : kBoardPictureSide;
  const bool saved = SaveBoardPicture(arguments.picture, side);
  EndOffscreen();
  if (!saved) {
    std::fprintf(stderr, "tolva-sudoku-thumbnailer: cannot write %s\n", arguments.picture.c_str());
    return 1;
  }
  return 0;
}
