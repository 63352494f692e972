// The history's journal: every change, undo and redo survives a program that
// is killed, a torn last record costs only itself, a journal counts only on
// the base it names, and it stays bounded by compacting.

#include "storage/HistoryJournal.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "board/History.h"
#include "storage/FileReplace.h"
#include "storage/HistoryFile.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

using namespace std::string_literals;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::size_t SizeOf(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<std::size_t>(size);
}

// What the person was told of the journal so far: the main loop takes the
// notice after every command, as here.
std::vector<std::string> gTold;

void TakeNotice() {
  if (const char* notice = TakeJournalNotice()) gTold.emplace_back(notice);
}

template <typename Change>
void Command(Change change) {
  const Board before = gMainBoard;
  change();
  RecordChange(before);
  TakeNotice();
}

// The history and the main board as one value, to compare runs by.
struct Snapshot {
  std::deque<Board> undo = gUndoSteps;
  std::deque<Board> redo = gRedoSteps;
  Board board = gMainBoard;
  bool operator==(const Snapshot&) const = default;
};

// Told by its length and the history file it makes, not 4,000 bytes a board.
void PrintTo(const Snapshot& snapshot, std::ostream* out) {
  const auto undo = gUndoSteps, redo = gRedoSteps;
  gUndoSteps = snapshot.undo;
  gRedoSteps = snapshot.redo;
  *out << snapshot.undo.size() << " undo, " << snapshot.redo.size() << " redo steps, file checksum "
       << HistoryBytesChecksum(HistoryBytes(snapshot.board));
  gUndoSteps = undo;
  gRedoSteps = redo;
}

class HistoryJournal : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_STATE_HOME", folder.Path("").c_str(), 1);
    ClearBoard(gMainBoard);
    ClearHistory();
    WatchHistory(JournalStep);
    scripted::Reset();
    TakeJournalNotice();
    gTold.clear();
  }
  void TearDown() override {
    WatchHistory(nullptr);
    StopJournal(false);
    ClearHistory();
    ::unsetenv("XDG_STATE_HOME");
  }

  // A start of the program: the history loaded and its recording begun, the
  // main board the one the history ended with.
  bool Start() {
    ClearHistory();
    Board atExit{};
    const bool loaded = LoadHistory(atExit);
    gMainBoard = atExit;
    StartJournal(atExit);
    return loaded;
  }
  // The program killed: the journal is left as it is, nothing written at exit.
  static void Kill() { StopJournal(false); }

  // A run's commands: changes of one cell (off the diagonal), of every cell
  // and of one candidate, with undos and redos between, ending with two redo
  // steps.
  static void Session() {
    Command([] { SetCandidates(2, 7, "4"); });
    Command([] { LoadGrid(SolvedGrid(), true); });
    Command([] { At(6, 1).candidate[3] = 0; });
    Undo();
    Redo();
    Command([] { At(8, 3).locked = 1; });
    Command([] { ClearBoard(gMainBoard); });
    Undo();
    Undo();
  }

  // A step that changes every cell, the largest there is: about 4.4 KB in
  // the base, 8.8 KB in the journal.
  static void EveryCell(int step) {
    Command([step] {
      for (auto& column : gMainBoard)
        for (Cell& cell : column) cell.candidate[0] = step;
    });
  }

  // The run killed now and started again: true when the history and the
  // main board came back as they were.
  bool ComesBackWhole() {
    const Snapshot killed;
    Kill();
    ClearBoard(gMainBoard);
    Start();
    Kill();
    return Snapshot() == killed;
  }

  // What the person was told so far.
  static std::vector<std::string> Told() {
    TakeNotice();
    return gTold;
  }

  TempFolder folder;
  std::string base = folder.Path("tolva-sudoku/history");
  std::string journal = folder.Path("tolva-sudoku/history.journal");
};

TEST_F(HistoryJournal, AKilledRunComesBackWholeThenIsCompactedAtTheNextStart) {
  // A temporary file a killed exit write left in the state folder goes.
  std::filesystem::create_directories(folder.Path("tolva-sudoku"));
  const std::string stale = folder.Path("tolva-sudoku/.tolva-" + std::string(24, '5'));
  WriteBytes(stale, std::string(15000, 'h'));
  EXPECT_FALSE(Start());
  EXPECT_FALSE(std::filesystem::exists(stale));
  Session();
  const Snapshot killed;
  ASSERT_EQ(killed.redo.size(), 2u);
  Kill();
  // The first start had no base: it wrote one, holding the empty board.
  EXPECT_EQ(SizeOf(base), kHistoryFileMinSize);

  ClearBoard(gMainBoard);
  EXPECT_TRUE(Start());
  EXPECT_EQ(Snapshot(), killed);
  // The start compacted: the base holds it all, the journal is empty.
  EXPECT_EQ(ReadFileBytes(base), HistoryBytes(killed.board));
  EXPECT_EQ(SizeOf(journal), kJournalHeaderSize);

  // Steps after the compaction, then an exit as usual: no journal is left.
  Redo();
  Command([] { At(9, 2).candidate[0] = 5; });
  const Snapshot ended;
  SaveHistory();
  EXPECT_FALSE(std::filesystem::exists(journal));
  EXPECT_TRUE(Start());
  EXPECT_EQ(Snapshot(), ended);
}

TEST_F(HistoryJournal, ATornOrDamagedRecordCostsItselfAndWhatFollows) {
  Start();
  Command([] { SetCandidates(3, 5, "27"); });
  const Snapshot first;
  Command([] { LoadGrid(SolvedGrid(), false); });
  const Snapshot second;
  const std::size_t secondEnds = SizeOf(journal);
  Undo();
  Kill();
  const std::string whole = ReadFileBytes(journal);
  // The undo record holds one empty change list: 4 + 4 + 4 + 8 bytes.
  ASSERT_EQ(whole.size(), secondEnds + 20);
  const std::size_t firstLength = static_cast<unsigned char>(whole[kJournalHeaderSize + 4]) +
                                  256u * static_cast<unsigned char>(whole[kJournalHeaderSize + 5]);
  const std::size_t firstEnds = kJournalHeaderSize + 16 + firstLength;

  // Cut 1 to 16 bytes short of its last record, the undo: the bytes beyond
  // the cut are still there, so a length check that lets a record reach
  // past the end would read them and apply the undo.
  const std::uint64_t baseChecksum = HistoryBytesChecksum(ReadFileBytes(base));
  for (std::size_t shortBy = 1; shortBy <= 16; ++shortBy) {
    ClearHistory();
    Board board{};
    EXPECT_EQ(ReplayJournalBytes(std::string_view(whole).substr(0, whole.size() - shortBy), baseChecksum, board), 2)
        << shortBy << " bytes short";
    gMainBoard = board;
    EXPECT_EQ(Snapshot(), second) << shortBy << " bytes short";
  }

  const std::string kept = ReadFileBytes(base);
  for (const std::size_t cut : {secondEnds + 1, secondEnds + 19, firstEnds + 1, secondEnds - 1}) {
    WriteBytes(base, kept);
    WriteBytes(journal, whole.substr(0, cut));
    ClearBoard(gMainBoard);
    Start();
    Kill();
    EXPECT_EQ(Snapshot(), cut > secondEnds ? second : first) << "cut at " << cut;
  }
  // A byte changed inside the second record: the first stays.
  std::string damaged = whole;
  damaged[firstEnds + 30] ^= 0x10;
  WriteBytes(base, kept);
  WriteBytes(journal, damaged);
  Start();
  Kill();
  EXPECT_EQ(Snapshot(), first);
}

TEST_F(HistoryJournal, AJournalCountsOnlyOnTheBaseItNames) {
  Start();
  Command([] { SetCandidates(7, 2, "9"); });
  const Snapshot atBase;
  SaveHistory();
  const std::string ownBase = ReadFileBytes(base);
  Start();
  Command([] { SetCandidates(1, 4, "35"); });
  Command([] { At(4, 8).locked = 1; });
  const Snapshot killed;
  Kill();
  const std::string ownJournal = ReadFileBytes(journal);

  // A journal without its base: nothing comes back.
  std::filesystem::remove(base);
  EXPECT_FALSE(Start());
  Kill();
  EXPECT_EQ(UndoSteps() + RedoSteps(), 0);

  // A base without its journal: the base alone.
  WriteBytes(base, ownBase);
  std::filesystem::remove(journal);
  EXPECT_TRUE(Start());
  Kill();
  EXPECT_EQ(Snapshot(), atBase);

  // A journal beside another history's base: that base alone. The same
  // bytes beside their own base still replay.
  ClearHistory();
  ClearBoard(gMainBoard);
  At(0, 3).candidate[1] = 1;
  const std::string otherBase = HistoryBytes(gMainBoard);
  const Board otherBoard = gMainBoard;
  WriteBytes(base, otherBase);
  WriteBytes(journal, ownJournal);
  Start();
  Kill();
  EXPECT_EQ(UndoSteps(), 0);
  EXPECT_EQ(gMainBoard, otherBoard);
  WriteBytes(base, ownBase);
  WriteBytes(journal, ownJournal);
  Start();
  Kill();
  EXPECT_EQ(Snapshot(), killed);
}

TEST_F(HistoryJournal, AnotherCopysFilesAreNeverWrittenIntoButTakenOver) {
  Start();
  Command([] { SetCandidates(6, 3, "8"); });
  // Another copy starts: a journal of its own replaces this one's, whose
  // descriptor this copy still holds.
  const std::string theirs = JournalHeader(HistoryBytesChecksum(ReadFileBytes(base))) + "x";
  const std::string placedBeside = folder.Path("tolva-sudoku/theirs");
  WriteBytes(placedBeside, theirs);
  std::filesystem::rename(placedBeside, journal);
  Command([] { SetCandidates(6, 4, "1"); });
  const Snapshot killed;
  Kill();
  // The change after it compacted: their file was replaced whole, not
  // appended to, and the base holds every step.
  EXPECT_EQ(ReadFileBytes(journal), JournalHeader(HistoryBytesChecksum(ReadFileBytes(base))));
  EXPECT_EQ(ReadFileBytes(base), HistoryBytes(killed.board));
}

TEST_F(HistoryJournal, AThousandStepsOfEveryCellStayWithinTheBound) {
  Start();
  for (int step = 1; step <= 1200; ++step) {
    Command([step] {
      for (auto& column : gMainBoard)
        for (Cell& cell : column) cell.candidate[0] = step;
    });
    ASSERT_LE(SizeOf(journal), kJournalMaxSize);
  }
  Undo();
  const Snapshot killed;
  Kill();
  EXPECT_LE(SizeOf(base) + SizeOf(journal), kHistoryFileMaxSize + kJournalMaxSize);
  std::cout << "After 1,200 steps of every cell: history " << SizeOf(base) << " bytes, journal " << SizeOf(journal)
            << " bytes\n";
  EXPECT_GT(SizeOf(journal), kJournalHeaderSize);
  Start();
  Kill();
  EXPECT_EQ(UndoSteps(), kHistoryLimit - 1);
  EXPECT_EQ(Snapshot(), killed);
}

// Checks in a child process, told on its error output.
struct ChildChecks {
  bool ok = true;
  void Expect(bool holds, const char* what) {
    if (!holds) std::cerr << "FAILED in the child: " << what << "\n";
    ok = ok && holds;
  }
};

const std::vector<std::string> kToldNotKept{"Verlauf wird nicht mehr gespeichert"};

TEST_F(HistoryJournal, TheFileSizeLimitStopsTheJournalNotTheProgramUntilItIsRaised) {
  // The child keeps the default action of SIGXFSZ, which ends a process
  // that writes past the limit.
  const ChildEnd end = RunInChild([this] {
    ChildChecks check;
    ::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlim_t unlimited = limit.rlim_cur;
    limit.rlim_cur = 64 * 1024;
    check.Expect(::setrlimit(RLIMIT_FSIZE, &limit) == 0, "the limit is set");
    Start();
    for (int step = 1; step <= 30; ++step) EveryCell(step);
    check.Expect(!JournalKeepsSteps(), "the journal stopped at the limit");
    check.Expect(SizeOf(base) <= 64 * 1024 && SizeOf(journal) <= 64 * 1024, "no file passed the limit");
    check.Expect(Told() == kToldNotKept && Told() == kToldNotKept, "the person is told once");

    // The limit raised: the next step brings every step back onto the disk.
    limit.rlim_cur = unlimited;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EveryCell(31);
    check.Expect(JournalKeepsSteps(), "the journal goes on by itself");
    Undo();
    check.Expect(ComesBackWhole(), "a killed run loses nothing");
    return check.ok;
  });
  EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
  EXPECT_EQ(end.exitCode, 0);
}

TEST_F(HistoryJournal, AFullDiskStopsTheJournalUntilThereIsRoomAgain) {
  const ChildEnd end = RunInChild([this] {
    ChildChecks check;
    // A file system of 256 KiB in memory over the test's folder, for this
    // process alone. Where none can be mounted, a file-size limit below any
    // file's size makes every write fail as a full disk does.
    const bool mounted = ::unshare(CLONE_NEWNS) == 0 &&
                         ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                         ::mount("tolva", folder.Path("").c_str(), "tmpfs", 0, "size=256k") == 0;
    std::cerr << (mounted ? "on a file system of 256 KiB\n" : "no file system mounted: a file-size limit instead\n");
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit unlimited = limit;
    Start();
    for (int step = 1; step <= 5; ++step) EveryCell(step);
    const std::string filler = folder.Path("filler");
    if (mounted) {
      std::ofstream fill(filler, std::ios::binary);
      const std::string block(4096, 'f');
      while (fill.write(block.data(), static_cast<std::streamsize>(block.size()))) fill.flush();
    } else {
      limit.rlim_cur = 4096;
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    for (int step = 6; step <= 12; ++step) EveryCell(step);
    check.Expect(!JournalKeepsSteps(), "the journal stopped on the full disk");
    check.Expect(Told() == kToldNotKept && Told() == kToldNotKept, "the person is told once");

    // Room again: the next step brings every step since back onto the disk.
    std::filesystem::remove(filler);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    EveryCell(13);
    check.Expect(JournalKeepsSteps(), "the journal goes on by itself");
    EveryCell(14);
    check.Expect(ComesBackWhole(), "a killed run loses nothing");
    return check.ok;
  });
  EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
  EXPECT_EQ(end.exitCode, 0);
}

TEST_F(HistoryJournal, AStateFolderThatTakesNoNewFilesKeepsTheHistoryAsItWas) {
  if (!CanSwitchUsers()) GTEST_SKIP() << "needs root to make the folder another user's";
  Start();
  Command([] { SetCandidates(3, 3, "4"); });
  SaveHistory();
  const std::string kept = ReadFileBytes(base);
  struct stat before {};
  ASSERT_EQ(::stat(base.c_str(), &before), 0);
  // The user may write the history file, but the folder takes no new file.
  constexpr uid_t kNobody = 65534;
  for (const std::string& path : {folder.Path(""), folder.Path("tolva-sudoku"), base})
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(folder.Path("tolva-sudoku").c_str(), 0555), 0);
  const ChildEnd end = RunInChild(
      [this] {
        Start();
        Command([] { SetCandidates(3, 4, "5"); });
        SaveHistory();
        return true;
      },
      kNobody, kNobody);
  EXPECT_TRUE(end.exited && end.exitCode == 0);
  struct stat after {};
  ASSERT_EQ(::stat(base.c_str(), &after), 0);
  EXPECT_EQ(ReadFileBytes(base), kept) << "never written in place";
  EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(HistoryJournal, ANewerProgramsFilesAreLeftByteForByte) {
  // A newer program's history and journal (version 2), and this version's
  // history with a newer journal beside it.
  Start();
  Command([] { SetCandidates(4, 4, "6"); });
  Kill();
  const std::string ownBase = ReadFileBytes(base);
  std::string newerBase = "TolvaHis\2\0\0\0"s + std::string(5000, 'n');
  std::string newerJournal = "TolvaJnl\2\0\0\0"s + std::string(5000, 'j');
  for (const auto& [baseBytes, journalBytes] : {std::pair{newerBase, newerJournal}, std::pair{ownBase, newerJournal}}) {
    WriteBytes(base, baseBytes);
    WriteBytes(journal, journalBytes);
    gTold.clear();
    Start();
    Command([] { SetCandidates(5, 5, "7"); });
    Command([] { SetCandidates(5, 6, "8"); });
    EXPECT_TRUE(Undo()) << "the history goes on in memory";
    EXPECT_FALSE(JournalKeepsSteps());
    SaveHistory();
    EXPECT_EQ(ReadFileBytes(base), baseBytes);
    EXPECT_EQ(ReadFileBytes(journal), journalBytes);
    EXPECT_EQ(Told(), std::vector<std::string>{"Verlauf einer neueren Version: wird nicht gespeichert"});
  }
}

TEST_F(HistoryJournal, ReplayingCheckedBytesChangesNothingWhenRefused) {
  // A header naming another base, or too short: nothing is applied.
  Board board{};
  board[2][5].locked = 1;
  const Board kept = board;
  EXPECT_EQ(ReplayJournalBytes(JournalHeader(41), 42, board), -1);
  EXPECT_EQ(ReplayJournalBytes(JournalHeader(42).substr(0, 19), 42, board), -1);
  EXPECT_EQ(ReplayJournalBytes(JournalHeader(42), 42, board), 0);
  EXPECT_EQ(board, kept);
  EXPECT_EQ(UndoSteps() + RedoSteps(), 0);
}

}  // namespace
