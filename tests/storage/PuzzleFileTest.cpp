#include "storage/PuzzleFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "board/CandidateQueries.h"
#include "solve/ErrorCheck.h"
#include "solve/Solve.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/support/FileSizeLimit.h"

namespace {

using scripted::gScript;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::int32_t LittleEndianAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[offset + i])} << (8 * i);
  return static_cast<std::int32_t>(value);
}

class PuzzleFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    scripted::Reset();
  }
  TempFolder folder;
};

TEST_F(PuzzleFile, EmptyBoardSavesFourThousandZeroBytesWithoutAQuestion) {
  SavePuzzle(folder.Path("a.sdk"));
  EXPECT_EQ(ReadFileBytes(folder.Path("a.sdk")), std::string(4000, '\0'));
  EXPECT_TRUE(gScript.questions.empty());
}

TEST_F(PuzzleFile, FieldsLieAtTheirWorkedOffsets) {
  At(1, 1).locked = 1;
  At(5, 5).candidate[6] = 1;
  At(9, 9).candidate[0] = 0x01020304;
  const std::string bytes = PuzzleBytes();
  ASSERT_EQ(bytes.size(), 4000u);
  EXPECT_EQ(LittleEndianAt(bytes, 476), 1);
  EXPECT_EQ(LittleEndianAt(bytes, 2224), 1);
  EXPECT_EQ(bytes.substr((10 * 9 + 9) * 40, 4), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\0'), 4000 - 2 - 4);
}

TEST_F(PuzzleFile, AnyFieldValuesOfAllHundredCellsRoundTrip) {
  std::mt19937 random(11);
  for (auto& column : gMainBoard)
    for (Cell& cell : column)
      for (int field = 0; field < kCellFields; ++field) CellField(cell, field) = static_cast<std::int32_t>(random());
  At(0, 0).locked = INT32_MIN;
  At(9, 0).candidate[8] = -1;
  const Board saved = gMainBoard;
  const std::string path = folder.Path("any.sdk");
  SavePuzzle(path);
  ClearBoard(gMainBoard);
  LoadPuzzle(path);
  EXPECT_EQ(gMainBoard, saved);
}

TEST_F(PuzzleFile, OverwriteAsksAndNoKeepsTheOldFile) {
  const std::string path = folder.Path("old.sdk");
  const std::string old = std::string(5000, 'x');
  WriteBytes(path, old);
  At(3, 3).candidate[2] = 1;

  gScript.answers = {false};
  EXPECT_FALSE(SavePuzzle(path)) << "what is not written is not told as saved";
  EXPECT_EQ(ReadFileBytes(path), old);
  ASSERT_EQ(gScript.questions.size(), 1u);
  EXPECT_EQ(gScript.questions[0], "Fehler|Soll die Datei wirklich \xFC" "berschrieben werden?");

  gScript.answers = {true};
  EXPECT_TRUE(SavePuzzle(path));
  EXPECT_EQ(ReadFileBytes(path), PuzzleBytes()) << "Yes replaces the file wholly, no tail left";
}

TEST_F(PuzzleFile, ShortAndLongFilesLoadWithZerosAndTruncation) {
  const std::string path = folder.Path("short.sdk");
  LoadGrid(SolvedGrid(), true);
  WriteBytes(path, "");
  LoadPuzzle(path);
  EXPECT_EQ(gMainBoard, Board{}) << "a 0-byte file clears the whole board";

  LoadGrid(SolvedGrid());
  WriteBytes(path, std::string("\x34\x12", 2));
  LoadPuzzle(path);
  Board expected{};
  expected[0][0].candidate[0] = 0x1234;
  EXPECT_EQ(gMainBoard, expected);

  // 41 bytes: the first record whole, then one byte of the next.
  WriteBytes(path, std::string(40, '\x01') + "\x07");
  LoadPuzzle(path);
  EXPECT_EQ(At(0, 0).locked, 0x01010101);
  EXPECT_EQ(At(0, 1).candidate[0], 7);
  EXPECT_EQ(At(0, 1).candidate[1], 0);

  At(4, 4).locked = 9;
  const std::string bytes = PuzzleBytes();
  WriteBytes(path, bytes + std::string(100, '\xFF'));
  ClearBoard(gMainBoard);
  LoadPuzzle(path);
  EXPECT_EQ(PuzzleBytes(), bytes) << "bytes past 4000 are ignored";
}

TEST_F(PuzzleFile, UnopenablePathsLeaveTheBoardAsItWas) {
  LoadGrid(SolvedGrid(), true);
  const Board before = gMainBoard;
  LoadPuzzle(folder.Path("missing.sdk"));
  LoadPuzzle(folder.Path(""));
  LoadPuzzle("");
  std::filesystem::create_directory(folder.Path("dir.sdk"));
  LoadPuzzle(folder.Path("dir.sdk"));
  ASSERT_EQ(mkfifo(folder.Path("pipe.sdk").c_str(), 0600), 0);
  LoadPuzzle(folder.Path("pipe.sdk"));
  EXPECT_EQ(gMainBoard, before);

  SavePuzzle(folder.Path("dir.sdk"));  // a folder is never overwritten or asked about
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("dir.sdk")));
  EXPECT_TRUE(gScript.questions.empty());
}

TEST_F(PuzzleFile, SaveFailingPartwayLeavesTheOldFileWholeAndNoLitter) {
  const std::string path = folder.Path("kept.sdk");
  WriteBytes(path, "old bytes");
  At(1, 1).candidate[0] = 1;
  gScript.answers = {true};
  {
    FileSizeLimit limit(1000);  // the write of 4000 bytes fails after 1000, as on a full disk
    EXPECT_FALSE(SavePuzzle(path));
  }
  EXPECT_EQ(ReadFileBytes(path), "old bytes");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);

  EXPECT_FALSE(SavePuzzle(folder.Path("no-such-folder/a.sdk")));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("no-such-folder")));
}

TEST_F(PuzzleFile, SaveKeepsPermissionsAndWritesThroughLinks) {
  const std::string target = folder.Path("target.sdk");
  WriteBytes(target, "old");
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  std::filesystem::create_symlink(target, folder.Path("link.sdk"));
  At(2, 2).candidate[1] = 1;
  gScript.answers = {true};
  SavePuzzle(folder.Path("link.sdk"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.sdk")));
  EXPECT_EQ(ReadFileBytes(target), PuzzleBytes());
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(PuzzleFile, ArbitraryBytesLoadSafelyIntoEveryQuery) {
  std::mt19937 random(3);
  const std::string path = folder.Path("noise.sdk");
  for (int file = 0; file < 30; ++file) {
    std::string bytes(random() % 4200, '\0');
    for (char& b : bytes) b = static_cast<char>(file % 3 == 0 ? random() % 3 : random());
    WriteBytes(path, bytes);
    LoadPuzzle(path);
    for (int col = 0; col <= 9; ++col)
      for (int row = 0; row <= 9; ++row) {
        AllowedDigits(col, row);
        BoxDigits(col, row);
      }
    CheckForErrors();
    EXPECT_TRUE(gErrorColumn == -1 || (gErrorColumn >= 0 && gErrorColumn <= 9 && gErrorRow >= 0 && gErrorRow <= 9));
    const std::int32_t solved = Solve(81);
    EXPECT_TRUE(solved == 0 || solved == 1);
  }
}

}  // namespace
