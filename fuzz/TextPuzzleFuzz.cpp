// Any bytes as a text puzzle (storage/TextPuzzle.h) and as the start of a
// puzzle file: the reader looks no further than its limit, a puzzle loads as
// locked givens and nothing else, the board's line reads back as the same
// board, and a dump (4000 bytes, or a zero byte outside UTF-16 text) always
// loads as a dump. Read whole as a collection, its entries run forward
// through the lines, and a text that is a puzzle begins with that puzzle.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/CandidateQueries.h"
#include "storage/PlainText.h"
#include "storage/PuzzleFile.h"
#include "storage/TextPuzzle.h"

namespace {

// A failed check names its line, then ends the run as a finding.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s:%d\n", __FILE__, line);
  std::abort();
}

// Every cell of the board is a locked given of exactly one digit, or wholly
// zero; row 0 and column 0 are zero.
void RequireGivensOnly() {
  for (int col = 0; col <= 9; ++col)
    for (int row = 0; row <= 9; ++row) {
      const Cell& cell = gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
      if (cell == Cell{}) continue;
      Require(col >= 1 && row >= 1 && cell.locked == 1 && FilledDigit(cell) > 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  PuzzleDigits digits{};
  const bool puzzle = ReadTextPuzzle(input, digits);
  PuzzleDigits again{};
  Require(ReadTextPuzzle(input.substr(0, kTextPuzzleLimit + 1), again) == puzzle);
  if (puzzle) {
    Require(again == digits);
    for (int digit : digits) Require(digit >= 0 && digit <= 9);
  }

  std::size_t entries = 0, lastLine = 0;
  ForEachTextPuzzle(input, [&](const TextPuzzleEntry& entry) {
    Require(entry.line > lastLine && entry.lastLine >= entry.line);
    if (entries++ == 0 && puzzle && input.size() <= kTextPuzzleLimit) Require(entry.read && entry.digits == digits);
    for (int digit : entry.digits) Require(digit >= 0 && digit <= 9);
    lastLine = entry.lastLine;
  });
  Require(entries > 0 || !puzzle);

  ClearBoard(gMainBoard);
  gMainBoard[3][7].candidate[1] = 5;  // a board that a text puzzle replaces wholly
  const Board before = gMainBoard;
  Require(LoadTextPuzzle(input) == puzzle);
  if (!puzzle) {
    Require(gMainBoard == before);
  } else {
    RequireGivensOnly();
    const std::string line = PuzzleLine();
    Require(line.size() == 81);
    for (std::size_t i = 0; i < line.size(); ++i)
      Require(line[i] == (digits[i] == 0 ? '.' : static_cast<char>('0' + digits[i])));
    const Board loaded = gMainBoard;
    Require(LoadTextPuzzle(line) && gMainBoard == loaded);
  }

  // As the start of a file.
  const std::string_view start = input.substr(0, kTextPuzzleLimit + 1);
  const PuzzleFound found = LoadPuzzleFileStart(start);
  const bool dump = start.size() == 4000 || (start.find('\0') != std::string_view::npos && !StartsAsUtf16(start));
  Require(found == (dump ? PuzzleFound::kDump : puzzle ? PuzzleFound::kText : PuzzleFound::kOther));
  if (dump || !puzzle) {
    std::string file(start.substr(0, kPuzzleFileSize));
    file.resize(kPuzzleFileSize, '\0');
    Require(PuzzleBytes() == file);
  } else {
    RequireGivensOnly();
  }
  return 0;
}
