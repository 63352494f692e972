#include "explain/Explanation.h"

#include <algorithm>

#include "board/CandidateQueries.h"
#include "explain/StepText.h"

Digits GivensOfMainBoard() {
  Digits locked{}, filled{};
  bool anyLocked = false;
  for (int cell = 0; cell < kCells; ++cell) {
    const Cell& boardCell =
        gMainBoard[static_cast<std::size_t>(ColumnOf(cell))][static_cast<std::size_t>(RowOf(cell))];
    const int digit = FilledDigit(boardCell);
    Item(filled, cell) = static_cast<std::uint8_t>(digit);
    if (digit && boardCell.locked == 1) {
      Item(locked, cell) = static_cast<std::uint8_t>(digit);
      anyLocked = true;
    }
  }
  return anyLocked ? locked : filled;
}

int FirstMisfit(const Position& position, const Solution& solution) {
  for (int cell = 0; cell < kCells; ++cell)
    if (!position.IsOpen(cell) && position.Value(cell) != Item(solution, cell)) return cell;
  for (int cell = 0; cell < kCells; ++cell)
    if (position.IsOpen(cell) && !position.HasCandidate(cell, Item(solution, cell))) return cell;
  return -1;
}

BoardCheck CheckMainBoard() {
  BoardCheck check;
  check.solutions = CountSolutions(PositionOfDigits(GivensOfMainBoard()), &check.solution);
  check.board = PositionOfMainBoard();
  if (check.solutions == 1) check.misfit = FirstMisfit(check.board, check.solution);
  return check;
}

std::string BoardCheckText(const BoardCheck& check) {
  if (check.solutions == 0) return "Das R\xE4tsel hat keine L\xF6sung.";
  if (check.solutions > 1) return "Das R\xE4tsel hat mehr als eine L\xF6sung.";
  if (check.misfit >= 0) return CellName(check.misfit) + " passt nicht zur L\xF6sung.";
  return "Das R\xE4tsel hat genau eine L\xF6sung. Alle Eintr\xE4ge passen.";
}

ExplainedSolve ExplainSolve(const Position& start) {
  ExplainedSolve solve;
  solve.solutions = CountSolutions(start, &solve.solution);
  solve.reached = start;
  if (solve.solutions == 0 || FindContradiction(start).kind != Contradiction::kNone) return solve;
  SearchOptions options;
  options.uniqueness = solve.solutions == 1;
  while (solve.reached.OpenCount() > 0) {
    Step step;
    if (FindNextStep(solve.reached, options, step).outcome != SearchOutcome::kFound) break;
    ApplyStep(solve.reached, step);
    solve.rating = std::max(solve.rating, step.rating);
    solve.steps.push_back(std::move(step));
    if (FindContradiction(solve.reached).kind != Contradiction::kNone) break;
  }
  solve.solved = solve.reached.OpenCount() == 0 && FindContradiction(solve.reached).kind == Contradiction::kNone;
  return solve;
}
