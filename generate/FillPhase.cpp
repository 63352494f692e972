#include "generate/FillPhase.h"

#include <bit>

#include "board/CandidateQueries.h"
#include "generate/Random.h"
#include "platform/CoreServices.h"
#include "solve/Solve.h"

namespace {

constexpr std::array<int, 9> kFallbackOrder = {3, 6, 8, 2, 1, 5, 9, 4, 7};

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }
constexpr int ColumnUnit(int index) { return index % 9; }
constexpr int RowUnit(int index) { return index / 9; }
constexpr int BoxUnit(int index) { return ColumnUnit(index) / 3 + 3 * (RowUnit(index) / 3); }

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
  return 0x1FFu & ~(column[At(ColumnUnit(index))] | row[At(RowUnit(index))] | box[At(BoxUnit(index))]);
}

void FillState::Put(int index, int digitToPlace) {
  Clear(index);
  const unsigned bit = 1u << (digitToPlace - 1);
  column[At(ColumnUnit(index))] |= bit;
  row[At(RowUnit(index))] |= bit;
  box[At(BoxUnit(index))] |= bit;
  digit[At(index)] = static_cast<std::uint8_t>(digitToPlace);
  ++filled;
}

void FillState::Clear(int index) {
  const int old = digit[At(index)];
  if (old == 0) return;
  const unsigned keep = ~(1u << (old - 1));
  column[At(ColumnUnit(index))] &= keep;
  row[At(RowUnit(index))] &= keep;
  box[At(BoxUnit(index))] &= keep;
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
  if (allowed & (1u << (drawn - 1))) return drawn;
  for (int digit : kFallbackOrder)
    if (allowed & (1u << (digit - 1))) return digit;
  return 0;
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
