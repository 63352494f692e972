// Any bytes as the history file, read from memory: once as they are, and
// once with their checksum made right, so that every other rule of the
// reader is reached. A refused file leaves the history and the exit board as
// they were. An accepted one is exactly the file written for what it loaded,
// loads again to the same history, and its steps undo and redo back to the
// exit board.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>

#include "board/History.h"
#include "storage/HistoryFile.h"

namespace {

// A failed check names its line, then ends the run as a finding.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s:%d\n", __FILE__, line);
  std::abort();
}

// A history of the fuzzer's own beside the file's: one undo step, one redo.
void MakeOwnHistory() {
  ClearHistory();
  ClearBoard(gMainBoard);
  gMainBoard[0][0].locked = -1;
  const Board before = gMainBoard;
  gMainBoard[5][5].candidate[4] = 1;
  RecordChange(before);
  Undo();
}

void CheckLoad(std::string_view bytes) {
  MakeOwnHistory();
  const std::deque<Board> undo = gUndoSteps;
  const std::deque<Board> redo = gRedoSteps;
  Board ownExit{};
  ownExit[9][9].candidate[8] = 99;
  Board atExit = ownExit;
  if (!LoadHistoryBytes(bytes, atExit)) {
    Require(gUndoSteps == undo && gRedoSteps == redo && atExit == ownExit);
    return;
  }
  Require(UndoSteps() + RedoSteps() <= kHistoryLimit);
  const std::string written = HistoryBytes(atExit);
  Require(written == bytes);

  const std::deque<Board> loadedUndo = gUndoSteps;
  const std::deque<Board> loadedRedo = gRedoSteps;
  ClearHistory();
  Board again{};
  Require(LoadHistoryBytes(written, again));
  Require(gUndoSteps == loadedUndo && gRedoSteps == loadedRedo && again == atExit);

  gMainBoard = atExit;
  while (Undo()) {
  }
  Require(gMainBoard == (loadedUndo.empty() ? atExit : loadedUndo.front()));
  while (Redo()) {
  }
  Require(gMainBoard == (loadedRedo.empty() ? atExit : loadedRedo.front()));
  for (std::size_t step = 0; step < loadedRedo.size(); ++step) Require(Undo());
  Require(gMainBoard == atExit && gUndoSteps == loadedUndo && gRedoSteps == loadedRedo);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CheckLoad(input);
  if (size >= 8) {
    std::string resealed = input;
    const std::uint64_t checksum = HistoryChecksum(std::string_view(input).substr(0, size - 8));
    for (std::size_t i = 0; i < 8; ++i) resealed[size - 8 + i] = static_cast<char>((checksum >> (8 * i)) & 0xFF);
    CheckLoad(resealed);
  }
  return 0;
}
