#include "generate/FillPhase.h"

#include <bit>

#include "board/CandidateQueries.h"
#include "generate/Random.h"
#include "platform/CoreServices.h"
#include "solve/Solve.h"

namespace {

constexpr std::array<int, 9> kFallbackOrder = {3, 6, 8, 2, 1, 5, 9, 4, 7};

// For every set of allowed digits (bit d - 1 for digit d), the first digit of
// the fallback order among them; 0 for none.
constexpr auto kFallbackDigit = [] {
  std::array<std::uint8_t, 512> first{};
  for (unsigned allowed = 0; allowed < 512; ++allowed)
    for (int digit : kFallbackOrder)
      if (first[allowed] == 0 && (allowed & (1u << (digit - 1))) != 0) first[allowed] = static_cast<std::uint8_t>(digit);
  return first;
}();

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The column, row and box (0 to 8 each) of every cell index.
struct Units {
  std::uint8_t column, row, box;
};
constexpr auto kUnits = [] {
  std::array<Units, kPuzzleCells> units{};
  for (int index = 0; index < kPuzzleCells; ++index)
    units[At(index)] = {static_cast<std::uint8_t>(index % 9), static_cast<std::uint8_t>(index / 9),
                        static_cast<std::uint8_t>(index % 9 / 3 + 3 * (index / 27))};
  return units;
}();

void AdvanceFillPosition(FillState& state) {
  if (++state.fillColumn == 10) {
    state.fillColumn = 1;
    if (++state.fillRow == 10) state.fillRow = 1;
  }
}

void WriteToMainBoard(const FillState& state) {
  for (int index = 0; index < kPuzzleCells; ++index) {
    Cell& cell = gMainBoard[At(ColumnOfIndex(index))][At(RowOfIndex(index))];
    const int digit = state.digit[At(index)];
    cell = Cell{};
    if (digit != 0) {
      cell.candidate[At(digit - 1)] = 1;
      cell.locked = 1;
    }
  }
}

}  // namespace

unsigned FillState::Allowed(int index) const {
  const Units& units = kUnits[At(index)];
  return 0x1FFu & ~(column[units.column] | row[units.row] | box[units.box]);
}

void FillState::Put(int index, int digitToPlace) {
  Clear(index);
  const unsigned bit = 1u << (digitToPlace - 1);
  const Units& units = kUnits[At(index)];
  column[units.column] |= bit;
  row[units.row] |= bit;
  box[units.box] |= bit;
  digit[At(index)] = static_cast<std::uint8_t>(digitToPlace);
  ++filled;
}

void FillState::Clear(int index) {
  const int old = digit[At(index)];
  if (old == 0) return;
  const unsigned keep = ~(1u << (old - 1));
  const Units& units = kUnits[At(index)];
  column[units.column] &= keep;
  row[units.row] &= keep;
  box[units.box] &= keep;
  digit[At(index)] = 0;
  --filled;
}

void FillState::ClearAll() {
  digit.fill(0);
  column.fill(0);
  row.fill(0);
  box.fill(0);
  filled = 0;
  fillColumn = 1;
  fillRow = 1;
}

int ChooseDigit(int drawn, unsigned allowed) {
  // A table lookup and a select rather than branches, which the random
  // digits would make hard to predict.
  const int fallback = kFallbackDigit[allowed & 0x1FFu];
  return (allowed >> (drawn - 1)) & 1u ? drawn : fallback;
}

bool PlaceDigit(FillState& state, int filledThisPass) {
  for (;;) {
    const int drawn = RandomDraw(8) + 1;
    const int index = CellIndex(state.fillColumn, state.fillRow);
    if (const int digit = ChooseDigit(drawn, state.Allowed(index))) {
      state.Put(index, digit);
      return true;
    }
    state.Clear(index);
    if (filledThisPass == state.lastDeadEnd) return false;
    state.lastDeadEnd = filledThisPass;
    state.fillColumn = 2;
  }
}

bool FillGrid() {
  FillState state;
  for (;;) {
    state.ClearAll();
    for (bool restart = false; !restart;) {
      if (PollForStop()) {
        WriteToMainBoard(state);
        return false;
      }
      const int filled = state.filled;
      SetStatusText(kCreatingText);
      if (filled < kPuzzleCells && !PlaceDigit(state, filled)) {
        restart = true;
        continue;
      }
      AdvanceFillPosition(state);
      if (filled == kPuzzleCells) {
        WriteToMainBoard(state);
        return true;
      }
    }
  }
}

Grid MainBoardDigits() {
  Grid digits{};
  for (int index = 0; index < kPuzzleCells; ++index)
    digits[At(index)] = static_cast<std::uint8_t>(FilledDigit(gMainBoard[At(ColumnOfIndex(index))][At(RowOfIndex(index))]));
  return digits;
}
