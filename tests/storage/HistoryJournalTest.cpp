// The history's journal: every change, undo and redo survives a program that
// is killed, a torn last record costs only itself, a journal counts only on
// the base it names, and it stays bounded by compacting.

#include "storage/HistoryJournal.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "board/History.h"
#include "storage/FileReplace.h"
#include "storage/HistoryFile.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempFolder.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::size_t SizeOf(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<std::size_t>(size);
}

template <typename Change>
void Command(Change change) {
  const Board before = gMainBoard;
  change();
  RecordChange(before);
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
    ::unsetenv("TOLVA_JOURNAL_PAUSE_AT");
    ClearBoard(gMainBoard);
    ClearHistory();
  }
  void TearDown() override {
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

  TempFolder folder;
  std::string base = folder.Path("tolva-sudoku/history");
  std::string journal = folder.Path("tolva-sudoku/history.journal");
};

TEST_F(HistoryJournal, AKilledRunComesBackWholeThenIsCompactedAtTheNextStart) {
  // A temporary file a killed exit write left in the state folder goes.
  std::filesystem::create_directories(folder.Path("tolva-sudoku"));
  WriteBytes(folder.Path("tolva-sudoku/.tolva-5e0f"), std::string(15000, 'h'));
  EXPECT_FALSE(Start());
  EXPECT_FALSE(std::filesystem::exists(folder.Path("tolva-sudoku/.tolva-5e0f")));
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
