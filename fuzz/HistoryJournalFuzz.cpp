// Any bytes as the history's journal, replayed on a small history of the
// fuzzer's own: once as they are, and once as the header of that history's
// base and with every record's checksum made right, so that every other rule
// of the reader is reached. A refused journal changes nothing; whatever is
// replayed keeps the history within its limit, and the history file written
// for it loads again to the same history.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>

#include "board/History.h"
#include "storage/HistoryFile.h"
#include "storage/HistoryJournal.h"

namespace {

// A failed check names its line, then ends the run as a finding.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s:%d\n", __FILE__, line);
  std::abort();
}

constexpr std::uint64_t kBase = 0x0123456789ABCDEFu;

// One undo step and one redo step; returns the main board.
Board MakeOwnHistory() {
  ClearHistory();
  ClearBoard(gMainBoard);
  gMainBoard[0][0].locked = 1;
  Board before = gMainBoard;
  gMainBoard[5][3].candidate[4] = 1;
  RecordChange(before);
  before = gMainBoard;
  gMainBoard[2][7].candidate[0] = 1;
  RecordChange(before);
  Undo();
  return gMainBoard;
}

std::uint64_t Read(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

void Put(std::string& bytes, std::size_t at, std::uint64_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The header made to name kBase, and every record that fits sealed with the
// checksum of the chain.
std::string Resealed(std::string bytes) {
  if (bytes.size() < kJournalHeaderSize) return bytes;
  bytes.replace(0, kJournalHeaderSize, JournalHeader(kBase));
  std::uint64_t chain = kBase;
  std::size_t at = kJournalHeaderSize;
  while (bytes.size() - at >= 16) {
    const std::size_t length = Read(bytes, at + 4, 4) % (kJournalRecordMaxSize - 15);
    Put(bytes, at + 4, length, 4);
    if (bytes.size() - at - 16 < length) break;
    std::string sealed(8, '\0');
    Put(sealed, 0, chain, 8);
    sealed.append(bytes, at, 8 + length);
    chain = HistoryChecksum(sealed);
    Put(bytes, at + 8 + length, chain, 8);
    at += 16 + length;
  }
  return bytes;
}

void CheckReplay(std::string_view bytes) {
  Board board = MakeOwnHistory();
  const Board ownBoard = board;
  const std::deque<Board> undo = gUndoSteps;
  const std::deque<Board> redo = gRedoSteps;
  const int applied = ReplayJournalBytes(bytes, kBase, board);
  Require(applied >= -1);
  if (applied <= 0) {
    Require(gUndoSteps == undo && gRedoSteps == redo && board == ownBoard);
    return;
  }
  Require(UndoSteps() + RedoSteps() <= kHistoryLimit);
  const std::deque<Board> replayedUndo = gUndoSteps;
  const std::deque<Board> replayedRedo = gRedoSteps;
  const std::string file = HistoryBytes(board);
  ClearHistory();
  Board again{};
  Require(LoadHistoryBytes(file, again));
  Require(gUndoSteps == replayedUndo && gRedoSteps == replayedRedo && again == board);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kJournalMaxSize) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  CheckReplay(input);
  CheckReplay(Resealed(input));
  return 0;
}
