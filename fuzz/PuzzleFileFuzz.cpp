// Any bytes as a ".sdk" file, read from memory, then everything that reads a
// loaded board: every query at every index 0 to 9, the conflict check, the
// solver with a one-step and a full budget, and the save's bytes, which must
// give back the loaded file.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/CandidateQueries.h"
#include "solve/ErrorCheck.h"
#include "solve/Solve.h"
#include "storage/PuzzleFile.h"
#include "tests/support/ScriptedPlatform.h"

namespace {

// A failed check names its line, then ends the run as a finding.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s:%d\n", __FILE__, line);
  std::abort();
}

bool IsDigitText(const std::string& text) {
  for (char c : text)
    if (c < '1' || c > '9') return false;
  return text.size() <= 9;
}

void QueryEveryCell() {
  for (int col = 0; col <= 9; ++col) {
    const int stack = BandOrStack(col);
    Require(stack >= 1 && stack <= 3);
    for (int row = 0; row <= 9; ++row) {
      const Cell& cell = gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
      Require((CandidateMask(cell) & ~kAllDigits) == 0);
      const int filled = FilledDigit(cell);
      Require(filled >= 0 && filled <= 9);
      const std::int32_t number = CandidateNumber(col, row);
      Require(number >= 0 && number <= 123456789);
      const int box = BoxNumber(col, row);
      Require(box >= 1 && box <= 9);
      Require(IsDigitText(BoxDigits(col, row)));
      const std::string allowed = AllowedDigits(col, row);
      Require(IsDigitText(allowed) && allowed == DigitText(AllowedMask(col, row)));
    }
  }
}

// The candidate mask and locked flag of every cell.
std::array<int, kBoardSize * kBoardSize> Masks() {
  std::array<int, kBoardSize * kBoardSize> masks{};
  std::size_t next = 0;
  for (const auto& column : gMainBoard)
    for (const Cell& cell : column) masks[next++] = CandidateMask(cell) | (cell.locked == 1 ? 1 << 9 : 0);
  return masks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string file(input.substr(0, kPuzzleFileSize));
  file.resize(kPuzzleFileSize, '\0');
  scripted::Reset();

  LoadPuzzleBytes(input);
  Require(PuzzleBytes() == file);
  QueryEveryCell();
  Require(PuzzleBytes() == file);  // the queries change nothing

  // The conflict check clears flags other than 1 in the cells it tests, so
  // what the board means stays as it was.
  const std::array<int, kBoardSize * kBoardSize> masks = Masks();
  gErrorColumn = -1;
  CheckForErrors();
  Require(gErrorColumn == -1 || (gErrorColumn >= 0 && gErrorColumn <= 9 && gErrorRow >= 0 && gErrorRow <= 9));
  Require(Masks() == masks);

  const Board loaded = gMainBoard;
  const std::int32_t oneStep = Solve(1);
  Require(oneStep == 0 || oneStep == 1);
  gMainBoard = loaded;
  const std::int32_t full = Solve(81);
  Require(full == 0 || full == 1);
  QueryEveryCell();
  return 0;
}
