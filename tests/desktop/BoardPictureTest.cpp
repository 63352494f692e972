// The board picture of the thumbnailer and the icons: the same pixels as the
// board the main window shows, scaled to the size asked for, and a clean
// failure where it cannot be written.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <filesystem>

#include "board/Board.h"
#include "desktop/BoardPicture.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempFolder.h"
#include "ui/BoardDrawing.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

QImage ReadPicture(const std::string& path) { return QImage(QString::fromStdString(path), "PNG"); }

int ColourAt(const QImage& image, int x, int y) {
  const QRgb pixel = image.pixel(x, y);
  return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// Every kind of cell, at the board's edges too.
void FillBoardWithEveryKindOfCell() {
  ClearBoard(gMainBoard);
  SetCandidates(1, 1, "5");
  At(1, 1).locked = 1;
  SetCandidates(2, 1, "7");
  SetCandidates(3, 1, "12457");
  SetCandidates(9, 1, "123456789");
  SetCandidates(1, 9, "39");
  At(1, 9).locked = 1;
  SetCandidates(9, 9, "8");
  At(9, 9).locked = 1;
  SetCandidates(5, 5, "4");
  SetCandidates(6, 4, "16");
  At(7, 7).candidate[0] = 2;  // not a set flag: shows nothing
}

class BoardPicture : public ::testing::Test {
 protected:
  void SetUp() override { FillBoardWithEveryKindOfCell(); }
  TempFolder folder;
};

TEST_F(BoardPicture, AtItsOwnSizeIsThePixelsOfTheBoardInTheMainWindow) {
  OpenMainWindow();
  DrawBoard(-33, -33);  // no crosshair
  const std::string path = folder.Path("board.png");
  ASSERT_TRUE(SaveBoardPicture(path, kBoardPictureSide));
  const QImage picture = ReadPicture(path);
  ASSERT_EQ(picture.width(), 300);
  ASSERT_EQ(picture.height(), 300);

  StartDrawingOnWindow(kMainWindow);
  int differing = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x) differing += ColourAt(picture, x, y) != PixelColour(20 + x, 20 + y) ? 1 : 0;
  StopDrawing();
  CloseWindow(kMainWindow);
  EXPECT_EQ(differing, 0) << "pixels of the picture unlike the board on the window";

  // Not only the empty board: the cells' texts are in it.
  int black = 0;
  for (int y = 1; y <= 32; ++y)
    for (int x = 1; x <= 32; ++x) black += ColourAt(picture, x, y) == kBlack ? 1 : 0;
  EXPECT_GT(black, 40) << "the given 5 in A1";
}

TEST_F(BoardPicture, IsScaledToTheSizeAskedFor) {
  for (int side : {16, 128, 256, 512}) {
    const std::string path = folder.Path("board" + std::to_string(side) + ".png");
    ASSERT_TRUE(SaveBoardPicture(path, side)) << side;
    const QImage picture = ReadPicture(path);
    EXPECT_EQ(picture.width(), side);
    EXPECT_EQ(picture.height(), side);
  }
  // Scaled, not cut: the middle of the empty cell C3 (x and y 67 to 98 at
  // the own size) stays plain cyan.
  const QImage small = ReadPicture(folder.Path("board128.png"));
  EXPECT_EQ(ColourAt(small, 35, 35), kCyan);
}

TEST_F(BoardPicture, FailsCleanlyWhereNothingCanBeWritten) {
  EXPECT_FALSE(SaveBoardPicture(folder.Path("no-folder/board.png"), 128));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("no-folder")));
  EXPECT_FALSE(SaveBoardPicture(folder.Path(""), 128)) << "a folder";
  EXPECT_FALSE(SaveBoardPicture(folder.Path("zero.png"), 0));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("zero.png")));
  EXPECT_FALSE(SaveBoardPicture("", 128));
}

}  // namespace
