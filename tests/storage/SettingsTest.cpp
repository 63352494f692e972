#include "storage/Settings.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "storage/Prefs.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/ChildProcess.h"
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

// A newer program's entries stay, after the eight lines; the old lines for
// the program's own values and its comments go.
TEST_F(Settings, ExitWritesTheEightLinesAndKeepsWhatItDoesNotKnow) {
  std::ofstream("Data.prefs") << "; alt\r\nort = /a.sdk\r\nSprache=de\r\nFENSTERX = 3\r\n[Alt]\r\nFremd = 1\r\n; alter Kommentar\r\n";
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
                                         "Schwierigkeit = 60\r\n"
                                         "Sprache = de\r\n"
                                         "[Alt]\r\n"
                                         "Fremd = 1\r\n"
                                         "; alter Kommentar\r\n");
  std::filesystem::remove("Data.prefs");
  WriteSettings();
  EXPECT_EQ(std::ranges::count(ReadFileBytes("Data.prefs"), '\n'), 8) << "a new file holds the eight lines alone";
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

TEST_F(Settings, PathsThatWouldNotReadBackLeaveOrtEmpty) {
  for (const std::string path : {"/tmp/a\nFensterX = 999.sdk", "/tmp/b\r.sdk", "/tmp/c\r\n.sdk", "\n", " lead.sdk",
                                 "/tmp/trail.sdk\t"}) {
    gCellEditorX = 3;
    gCellEditorY = 4;
    gPuzzlePath = path;
    gDifficulty = 50;
    WriteSettings();
    const std::string bytes = ReadFileBytes("Data.prefs");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 8);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 8);
    EXPECT_NE(bytes.find("\r\nOrt = \r\n"), std::string::npos);

    SetUp();  // the next start
    ReadSettings();
    EXPECT_EQ(gCellEditorX, 3);
    EXPECT_EQ(gCellEditorY, 4);
    EXPECT_EQ(gPuzzlePath, "");
    EXPECT_EQ(gDifficulty, 50);
  }
  gPuzzlePath = "/tmp/x y/=; [r\xE4tsel].sdk";  // anything else reads back as it is
  WriteSettings();
  SetUp();
  ReadSettings();
  EXPECT_EQ(gPuzzlePath, "/tmp/x y/=; [r\xE4tsel].sdk");
}

// A file of short lines, "key = value" CR LF, with the four keys at its end.
void WriteLargePrefs(std::size_t bytes) {
  std::string block;
  while (block.size() < (1u << 16)) block += "k=v\r\n";
  std::string text;
  text.reserve(bytes + block.size() + 100);
  while (text.size() < bytes) text += block;
  text += "FensterX = 7\r\nFensterY = 8\r\nOrt = /x.sdk\r\nSchwierigkeit = 42\r\n";
  std::ofstream("Data.prefs", std::ios::binary) << text;
}

TEST_F(Settings, LargeFileIsHeldInAboutItsOwnSize) {
  constexpr std::size_t kSize = 8u << 20;
  WriteLargePrefs(kSize);
  {
    AllocationLimit limit(2 * kSize);
    ReadSettings();
    EXPECT_LE(limit.Peak(), kSize + (1u << 20));
  }
  EXPECT_EQ(gCellEditorX, 7);
  EXPECT_EQ(gCellEditorY, 8);
  EXPECT_EQ(gPuzzlePath, "/x.sdk");
  EXPECT_EQ(gDifficulty, 42);
}

TEST_F(Settings, FileTooLargeToHoldReadsLikeAMissingFile) {
  std::ofstream("Data.prefs") << "Schwierigkeit = 40\r\n";
  ASSERT_EQ(::truncate("Data.prefs", 64 << 20), 0);  // then 64 MB of zero bytes
  {
    AllocationLimit limit(32u << 20);
    ReadSettings();
  }
  EXPECT_EQ(gDifficulty, 0);
  EXPECT_EQ(gPuzzlePath, "");
  EXPECT_EQ(gCellEditorX, 0);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__has_feature)
#define SETTINGS_ADDRESS_LIMIT 1
#elif !defined(__SANITIZE_ADDRESS__) && defined(__has_feature)
#if !__has_feature(address_sanitizer)
#define SETTINGS_ADDRESS_LIMIT 1
#endif
#endif

#ifdef SETTINGS_ADDRESS_LIMIT
// The program's start under a limit on its address space (the sanitizers'
// own reservations rule this out in their build).
TEST_F(Settings, StartUnderAnAddressSpaceLimitNeverAborts) {
  WriteLargePrefs(20u << 20);
  std::ofstream("Huge.prefs") << "Schwierigkeit = 40\r\n";
  ASSERT_EQ(::truncate("Huge.prefs", 1ll << 30), 0);  // 1 GB of zero bytes, sparse
  const ChildEnd end = RunInChild([] {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    std::string status = ReadFileBytes("/proc/self/statm");
    const rlim_t used = static_cast<rlim_t>(std::stoull(status)) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
    limit.rlim_cur = used + (200u << 20);
    if (setrlimit(RLIMIT_AS, &limit) != 0) return false;
    ReadSettings();
    if (gDifficulty != 42 || gPuzzlePath != "/x.sdk") return false;
    std::filesystem::rename("Huge.prefs", "Data.prefs");
    gDifficulty = 0;
    gPuzzlePath.clear();
    ReadSettings();
    return gDifficulty == 0 && gPuzzlePath.empty();
  });
  EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
  EXPECT_EQ(end.exitCode, 0);
}
#endif

}  // namespace
