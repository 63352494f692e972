// Any board to the explaining solver: a placed digit, marks or an empty cell
// for each byte, contradictions included. The position's contradiction is
// real, and each of the first steps is sound (it removes only candidates that
// hold in no solution) and found in bounded time, with its sentences.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "board/CandidateQueries.h"
#include "explain/Explanation.h"
#include "explain/StepText.h"

namespace {

// A failed check names its line, then ends the run as a finding.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s:%d\n", __FILE__, line);
  std::abort();
}

constexpr int kStepsChecked = 3;
constexpr auto kStepBound = std::chrono::seconds(60);  // a hang, not a slow step: sanitizers are slow

// Byte of cell: '1' to '9' (and any byte with those low five bits) a filled
// cell, a letter marks, anything else an empty cell.
void LoadBoard(const std::uint8_t* data, std::size_t size) {
  ClearBoard(gMainBoard);
  for (int cell = 0; cell < kCells; ++cell) {
    const int byte = static_cast<std::size_t>(cell) < size ? data[cell] : 0;
    int mask = 0;
    if (byte % 32 >= 17 && byte % 32 <= 25) mask = DigitBit(byte % 32 - 16);
    else if (byte & 0x40) mask = ((byte * 167) >> 3) & kAllDigits;
    Cell& boardCell = gMainBoard[static_cast<std::size_t>(ColumnOf(cell))][static_cast<std::size_t>(RowOf(cell))];
    for (int digit = 1; digit <= 9; ++digit)
      boardCell.candidate[static_cast<std::size_t>(digit - 1)] = (mask & DigitBit(digit)) ? 1 : 0;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LoadBoard(data, size);
  Position position = PositionOfMainBoard();
  const int solutions = CountSolutions(position);
  if (FindContradiction(position).kind != Contradiction::kNone) {
    Require(solutions == 0);
    return 0;
  }
  SearchOptions options;
  options.uniqueness = solutions == 1;
  for (int stepNumber = 0; stepNumber < kStepsChecked && position.OpenCount() > 0; ++stepNumber) {
    Step step;
    const auto start = std::chrono::steady_clock::now();
    const SearchResult result = FindNextStep(position, options, step);
    Require(std::chrono::steady_clock::now() - start < kStepBound);
    Require(result.outcome == SearchOutcome::kFound || result.outcome == SearchOutcome::kNone);
    if (result.outcome == SearchOutcome::kNone) {
      // Nothing to find only where no candidate is ruled out, or the rest is
      // beyond the techniques.
      break;
    }
    Require(!step.placements.empty() || !step.eliminations.empty());
    Require(!StepHint(step).empty() && !StepShortText(step).empty() && !StepFullText(step).empty());
    if (solutions > 0) {
      for (const Elimination& elimination : step.eliminations)
        for (int digits = elimination.digits; digits; digits &= digits - 1) {
          Require(position.HasCandidate(elimination.cell, FirstDigit(digits)));
          Position trial = position;
          Place(trial, elimination.cell, FirstDigit(digits));
          Require(CountSolutions(trial) == 0);
        }
      for (const Placement& placement : step.placements) {
        Position trial = position;
        Eliminate(trial, placement.cell, placement.digit);
        Require(CountSolutions(trial) == 0);
      }
    }
    ApplyStep(position, step);
    if (FindContradiction(position).kind != Contradiction::kNone) {
      Require(solutions == 0);
      break;
    }
  }
  return 0;
}
