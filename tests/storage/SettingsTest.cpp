#include "storage/Settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/TempFolder.h"

namespace {

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    gCellEditorX = 0;
    gCellEditorY = 0;
    gPuzzlePath.clear();
    gDifficulty = 0;
  }
  TempFolder folder;
  WorkingDirectory inFolder{folder.Path("")};
};

TEST_F(Settings, MissingFileKeepsTheStartValues) {
  ReadSettings();
  EXPECT_EQ(gCellEditorX, 0);
  EXPECT_EQ(gCellEditorY, 0);
  EXPECT_EQ(gPuzzlePath, "");
  EXPECT_EQ(gDifficulty, 0);
}

TEST_F(Settings, MissingKeysTakeTheirDefaults) {
  std::ofstream("Data.prefs") << "Ort = /home/p/r\xE4tsel.sdk\r\n";
  ReadSettings();
  EXPECT_EQ(gCellEditorX, 100);
  EXPECT_EQ(gCellEditorY, 100);
  EXPECT_EQ(gPuzzlePath, "/home/p/r\xE4tsel.sdk");
  EXPECT_EQ(gDifficulty, 35);
}

TEST_F(Settings, ExitWritesExactlyTheEightLines) {
  std::ofstream("Data.prefs") << "[Alt]\r\nFremd = 1\r\n; alter Kommentar\r\n";
  gCellEditorX = -20;
  gCellEditorY = 768;
  gDifficulty = 60;
  WriteSettings();
  EXPECT_EQ(ReadFileBytes("Data.prefs"), std::string("; ") + kCreditText +
                                         "\r\n"
                                         "; the position of the window:\r\n"
                                         "FensterX = -20\r\n"
                                         "FensterY = 768\r\n"
                                         "; the last project the user wrote\r\n"
                                         "Ort = \r\n"
                                         "; the difficulty of the sudoku if you want to create one\r\n"
                                         "Schwierigkeit = 60\r\n");
}

TEST_F(Settings, WrittenValuesReadBack) {
  gCellEditorX = 12;
  gCellEditorY = 34;
  gPuzzlePath = "/tmp/ein r\xE4tsel.sdk";
  gDifficulty = 47;
  WriteSettings();
  SetUp();
  ReadSettings();
  EXPECT_EQ(gCellEditorX, 12);
  EXPECT_EQ(gCellEditorY, 34);
  EXPECT_EQ(gPuzzlePath, "/tmp/ein r\xE4tsel.sdk");
  EXPECT_EQ(gDifficulty, 47);
}

}  // namespace
