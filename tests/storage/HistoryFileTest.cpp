// The history kept across program runs: its bytes round-trip any history,
// and every file that is not one whole, valid history leaves the history as
// it was.

#include "storage/HistoryFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "board/History.h"
#include "storage/HistoryJournal.h"
#include "storage/PuzzleFile.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempFolder.h"

namespace {

// Sets an environment variable (unsets it for nullopt) while it lives.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~EnvironmentVariable() { Set(old_); }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

  void Set(const std::optional<std::string>& value) {
    if (value) ::setenv(name_, value->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string Word(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

void SetWord(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The bytes with their checksum made right again, so that only the other
// rules can refuse them.
std::string Resealed(std::string bytes) {
  const std::uint64_t checksum = HistoryChecksum(std::string_view(bytes).substr(0, bytes.size() - 8));
  SetWord(bytes, bytes.size() - 8, static_cast<std::uint32_t>(checksum));
  SetWord(bytes, bytes.size() - 4, static_cast<std::uint32_t>(checksum >> 32));
  return bytes;
}

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A command on the main board, recorded as the program records it.
template <typename Change>
void Command(Change change) {
  const Board before = gMainBoard;
  change();
  RecordChange(before);
}

class HistoryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    ClearHistory();
  }
  void TearDown() override { ClearHistory(); }

  // A history of six boards with odd values in every cell: three undo steps
  // and two redo steps, made by changes of one cell, of every cell ("Leeren"),
  // then of one cell each.
  void MakeOddHistory() {
    LoadGrid(SolvedGrid(), true);
    for (int index = 0; index < 10; ++index) {
      At(index, 0).candidate[4] = -7;
      At(0, index).candidate[4] = -7;
    }
    At(0, 0).locked = INT32_MIN;
    At(9, 0).candidate[8] = 2;
    At(3, 7).candidate[2] = INT32_MAX;
    Command([] { SetCandidates(2, 2, "147"); });
    Command([] { ClearBoard(gMainBoard); });
    Command([] { At(5, 0).candidate[6] = -1; });
    Command([] { At(9, 9).locked = 1; });
    Command([] { At(0, 0).locked = INT32_MIN; });
    Undo();
    Undo();
  }

  TempFolder folder;
  EnvironmentVariable state{"XDG_STATE_HOME", folder.Path("state")};
  EnvironmentVariable home{"HOME", folder.Path("home")};
};

TEST_F(HistoryFile, AFullHistoryWithOddValuesRoundTrips) {
  MakeOddHistory();
  const std::deque<Board> undo = gUndoSteps;
  const std::deque<Board> redo = gRedoSteps;
  const Board atExit = gMainBoard;
  const std::string bytes = HistoryBytes(atExit);

  // The layout: header, the oldest board as a ".sdk" file has it, change lists
  // of 1, 100, 1, 1 and 1 cells, the checksum.
  EXPECT_EQ(bytes.substr(0, 20), std::string("TolvaHis\1\0\0\0\3\0\0\0\2\0\0\0", 20));
  gMainBoard = undo.front();
  EXPECT_EQ(bytes.substr(20, 4000), PuzzleBytes());
  EXPECT_EQ(bytes.size(), kHistoryFileMinSize + 5 * 4 + (1 + 100 + 1 + 1 + 1) * 44);

  ClearHistory();
  Board loaded{};
  ASSERT_TRUE(LoadHistoryBytes(bytes, loaded));
  EXPECT_EQ(gUndoSteps, undo);
  EXPECT_EQ(gRedoSteps, redo);
  EXPECT_EQ(loaded, atExit);
  EXPECT_EQ(HistoryBytes(loaded), bytes) << "one history has one file";

  // The same through the file, from exit to the next start.
  gMainBoard = atExit;
  SaveHistory();
  ClearHistory();
  ASSERT_TRUE(LoadHistory(loaded));
  EXPECT_EQ(gUndoSteps, undo);
  EXPECT_EQ(gRedoSteps, redo);
  EXPECT_EQ(loaded, atExit);
}

TEST_F(HistoryFile, TheLargestHistoryFillsTheLargestFileAndLoads) {
  for (std::int32_t change = 1; change <= kHistoryLimit; ++change)
    Command([&] {
      for (auto& column : gMainBoard)
        for (Cell& cell : column) cell.locked = change;
    });
  const std::deque<Board> undo = gUndoSteps;
  const std::string bytes = HistoryBytes(gMainBoard);
  EXPECT_EQ(bytes.size(), kHistoryFileMaxSize);
  EXPECT_LE(bytes.size(), 8u << 20);
  ClearHistory();
  Board loaded{};
  ASSERT_TRUE(LoadHistoryBytes(bytes, loaded));
  EXPECT_EQ(gUndoSteps, undo);
  EXPECT_EQ(loaded, gMainBoard);
}

TEST_F(HistoryFile, DamagedForeignOrHostileBytesLeaveTheHistoryAsItWas) {
  // A small valid file: an exit board and three one-cell steps.
  Command([] { At(1, 1).candidate[0] = 1; });
  Command([] { At(0, 0).candidate[1] = 5; });
  Command([] { At(9, 9).locked = -3; });
  Undo();
  const std::string valid = HistoryBytes(gMainBoard);
  ASSERT_EQ(valid.size(), kHistoryFileMinSize + 3 * 48);

  // The history that must survive every refusal.
  ClearHistory();
  ClearBoard(gMainBoard);
  Command([] { At(4, 4).candidate[3] = 1; });
  Command([] { At(4, 4).locked = 1; });
  Undo();
  const std::deque<Board> undo = gUndoSteps;
  const std::deque<Board> redo = gRedoSteps;
  Board atExit{};
  atExit[7][7].candidate[7] = 77;
  const Board untouched = atExit;
  const auto refused = [&](const std::string& bytes) {
    return !LoadHistoryBytes(bytes, atExit) && gUndoSteps == undo && gRedoSteps == redo && atExit == untouched;
  };

  for (std::size_t length = 0; length < valid.size(); ++length)
    EXPECT_TRUE(refused(valid.substr(0, length))) << "cut to " << length << " bytes";
  EXPECT_TRUE(refused(valid + '\0'));
  EXPECT_TRUE(refused(Resealed(valid + std::string(44, '\0'))));
  EXPECT_TRUE(refused(Resealed(valid + std::string(48, '\0'))));
  for (std::size_t at = 0; at < valid.size(); ++at) {
    std::string flipped = valid;
    flipped[at] = static_cast<char>(flipped[at] ^ (1 << (at % 8)));
    EXPECT_TRUE(refused(flipped)) << "bit " << at % 8 << " of byte " << at;
  }

  // Foreign files, and hostile ones with a right checksum.
  gMainBoard = undo.front();
  EXPECT_TRUE(refused(PuzzleBytes() + std::string(28, '\0')));
  EXPECT_TRUE(refused(Resealed("TolvaHiz" + valid.substr(8))));
  const auto withWord = [&](std::size_t offset, std::uint32_t value) {
    std::string bytes = valid;
    SetWord(bytes, offset, value);
    return Resealed(bytes);
  };
  constexpr std::size_t kFirstChange = 4020;  // its count, then index and fields
  EXPECT_TRUE(refused(withWord(8, 2))) << "another version";
  EXPECT_TRUE(refused(withWord(12, kHistoryLimit + 1)));
  EXPECT_TRUE(refused(withWord(12, 0xFFFFFFFF)));
  EXPECT_TRUE(refused(withWord(16, kHistoryLimit - 1))) << "undo and redo steps together beyond the bound";
  EXPECT_TRUE(refused(withWord(16, 0xFFFFFFFF)));
  EXPECT_TRUE(refused(withWord(kFirstChange, 101)));
  EXPECT_TRUE(refused(withWord(kFirstChange, 0xFFFFFFFF)));
  EXPECT_TRUE(refused(withWord(kFirstChange, 0))) << "the cell's change left over";
  EXPECT_TRUE(refused(withWord(kFirstChange + 4, 100))) << "no cell 100";
  EXPECT_TRUE(refused(withWord(kFirstChange + 4 + 4, 0))) << "a change to the value the cell holds";

  // Two changes of one board: in ascending cell order only, each cell once.
  std::string two = valid.substr(0, kFirstChange);
  SetWord(two, 12, 1);
  SetWord(two, 16, 0);
  const auto locked = [](std::uint32_t value) { return std::string(36, '\0') + Word(value); };
  two += Word(2) + Word(11) + locked(7) + Word(12) + locked(8) + std::string(8, '\0');
  ASSERT_TRUE(LoadHistoryBytes(Resealed(two), atExit)) << "the test's own file is valid";
  EXPECT_EQ(atExit[1][1].locked, 7);
  EXPECT_EQ(atExit[1][2].locked, 8);
  EXPECT_EQ(UndoSteps(), 1);
  gUndoSteps = undo;
  gRedoSteps = redo;
  atExit = untouched;
  std::string swapped = two;
  SetWord(swapped, kFirstChange + 4, 12);
  SetWord(swapped, kFirstChange + 4 + 44, 11);
  EXPECT_TRUE(refused(Resealed(swapped)));
  std::string twice = two;
  SetWord(twice, kFirstChange + 4 + 44, 11);
  EXPECT_TRUE(refused(Resealed(twice)));
}

TEST_F(HistoryFile, FilesThatCannotBeReadOrAreTooLargeAreRefusedWithoutReading) {
  Command([] { At(2, 3).candidate[4] = 1; });
  const std::deque<Board> undo = gUndoSteps;
  Board atExit{};
  EXPECT_FALSE(LoadHistory(atExit)) << "no file yet";

  const std::string path = HistoryFilePath();
  std::filesystem::create_directories(path);
  EXPECT_FALSE(LoadHistory(atExit)) << "a folder in its place";
  std::filesystem::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_FALSE(LoadHistory(atExit)) << "a pipe in its place";
  std::filesystem::remove(path);

  // 1 GB that starts as a valid file, held sparse: refused by its size.
  WriteBytes(path, HistoryBytes(gMainBoard));
  ASSERT_EQ(::truncate(path.c_str(), 1 << 30), 0);
  {
    AllocationLimit limit(16u << 20);
    EXPECT_FALSE(LoadHistory(atExit));
    EXPECT_LT(limit.Peak(), 64u << 10) << "nothing of the file was read";
  }
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kHistoryFileMaxSize) + 1), 0);
  EXPECT_FALSE(LoadHistory(atExit));
  EXPECT_EQ(gUndoSteps, undo);
  EXPECT_EQ(atExit, Board{});
}

TEST_F(HistoryFile, ThePathFollowsXdgStateHomeElseHome) {
  EXPECT_EQ(HistoryFilePath(), folder.Path("state/tolva-sudoku/history"));
  for (const char* ignored : {"", "state", "./state", "~/state"}) {
    state.Set(ignored);
    EXPECT_EQ(HistoryFilePath(), folder.Path("home/.local/state/tolva-sudoku/history")) << '"' << ignored << '"';
  }
  state.Set(std::nullopt);
  EXPECT_EQ(HistoryFilePath(), folder.Path("home/.local/state/tolva-sudoku/history"));
  home.Set("");
  EXPECT_EQ(HistoryFilePath(), "");
  home.Set("home");
  EXPECT_EQ(HistoryFilePath(), "") << "a relative HOME is not known either";
  home.Set(std::nullopt);
  EXPECT_EQ(HistoryFilePath(), "");
  WorkingDirectory inFolder(folder.Path(""));
  SaveHistory();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 0) << "nothing written";
}

TEST_F(HistoryFile, SavingMakesPrivateFoldersButNeverHome) {
  Command([] { At(6, 6).candidate[5] = 1; });
  state.Set(folder.Path("a/b"));
  SaveHistory();
  for (const char* made : {"a", "a/b", "a/b/tolva-sudoku"}) EXPECT_EQ(ModeOf(folder.Path(made)), 0700u) << made;
  EXPECT_EQ(ReadFileBytes(folder.Path("a/b/tolva-sudoku/history")), HistoryBytes(gMainBoard));

  state.Set(std::nullopt);
  SaveHistory();
  EXPECT_FALSE(std::filesystem::exists(folder.Path("home"))) << "a missing home folder stays missing";
  std::filesystem::create_directories(folder.Path("home/.local"));
  ASSERT_EQ(::chmod(folder.Path("home/.local").c_str(), 0755), 0);
  SaveHistory();
  EXPECT_EQ(ModeOf(folder.Path("home/.local")), 0755u) << "an existing folder is left as it is";
  EXPECT_EQ(ModeOf(folder.Path("home/.local/state")), 0700u);
  EXPECT_EQ(ModeOf(folder.Path("home/.local/state/tolva-sudoku")), 0700u);
  EXPECT_EQ(ReadFileBytes(folder.Path("home/.local/state/tolva-sudoku/history")), HistoryBytes(gMainBoard));
}

}  // namespace
