// make-icons: the program's icon in the hicolor theme's sizes, drawn with the
// board drawing of the main window: the board with a few given digits (black)
// and entered ones (green).
//
//   make-icons FOLDER
//
// Writes FOLDER/NxN/apps/tolva-sudoku.png for every size. Runs at build time,
// without a display.

#include <cstdio>
#include <filesystem>
#include <string>

#include "board/Board.h"
#include "desktop/BoardPicture.h"
#include "desktop/OffscreenStart.h"

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct IconDigit {
  int col;
  int row;
  int digit;
  bool locked;
};

constexpr IconDigit kIconDigits[] = {
    {1, 1, 5, true}, {2, 2, 3, true}, {4, 1, 7, true}, {3, 4, 9, false}, {5, 5, 1, true}, {6, 6, 8, false},
    {8, 5, 4, true}, {7, 7, 2, true}, {9, 9, 6, true}, {5, 8, 3, false}, {2, 8, 7, true}, {8, 2, 1, false},
};

void PutIconDigits() {
  ClearBoard(gMainBoard);
  for (const IconDigit& at : kIconDigits) {
    Cell& cell = gMainBoard[static_cast<std::size_t>(at.col)][static_cast<std::size_t>(at.row)];
    cell.candidate[static_cast<std::size_t>(at.digit - 1)] = 1;
    cell.locked = at.locked ? 1 : 0;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make-icons FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  StartOffscreen(argv);
  PutIconDigits();
  int result = 0;
  for (int size : kIconSizes) {
    const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path apps = folder / sizeName / "apps";
    std::error_code error;
    std::filesystem::create_directories(apps, error);
    if (error || !SaveBoardPicture((apps / "tolva-sudoku.png").string(), size)) {
      std::fprintf(stderr, "make-icons: cannot write the %s icon\n", sizeName.c_str());
      result = 1;
    }
  }
  EndOffscreen();
  return result;
}
