#include "ui/Hint.h"

#include "board/CandidateQueries.h"
#include "explain/Explanation.h"
#include "explain/StepText.h"
#include "solve/ErrorCheck.h"
#include "ui/CellEditor.h"
#include "ui/MainWindow.h"
#include "ui/PatientSearch.h"
#include "ui/PuzzleHelp.h"

namespace {

// The hint being given: how far (0 nothing shown, 1 the technique, 2 the
// step), the step, and the board it was found on.
struct Hint {
  int shown = 0;
  Step step;
  Board board{};
} gHint;

Cell& MainCell(int cell) {
  return gMainBoard[static_cast<std::size_t>(ColumnOf(cell))][static_cast<std::size_t>(RowOf(cell))];
}

// Puts a step's changes on the main board: a placement makes the cell that
// one digit; a removal clears the digit's flag, an empty cell first getting
// its allowed digits as marks so that the removal shows.
void ApplyStepToMainBoard(const Step& step) {
  for (const Placement& placement : step.placements) {
    Cell& cell = MainCell(placement.cell);
    for (int digit = 1; digit <= 9; ++digit)
      cell.candidate[static_cast<std::size_t>(digit - 1)] = digit == placement.digit ? 1 : 0;
  }
  for (const Elimination& elimination : step.eliminations) {
    Cell& cell = MainCell(elimination.cell);
    if (CandidateMask(cell) == 0) {
      const int allowed = AllowedMask(ColumnOf(elimination.cell), RowOf(elimination.cell));
      for (int digit = 1; digit <= 9; ++digit)
        cell.candidate[static_cast<std::size_t>(digit - 1)] = (allowed & DigitBit(digit)) ? 1 : 0;
    }
    for (int digits = elimination.digits; digits; digits &= digits - 1)
      cell.candidate[static_cast<std::size_t>(FirstDigit(digits) - 1)] = 0;
  }
}

// First press: what the board holds is checked against the puzzle, then the
// next step is looked for. Shows the technique and where to look, or why
// there is none.
void FindHint() {
  gHint.shown = 0;
  const BoardCheck check = CheckMainBoard();
  if (check.solutions == 0 || check.misfit >= 0) {
    ShowCheckResult(check);
    return;
  }
  if (check.board.OpenCount() == 0) {
    ShowHelpText("Das R\xE4tsel ist gel\xF6st.", "Das R\xE4tsel ist gel\xF6st.");
    return;
  }
  if (check.solutions > 1 && CountSolutions(check.board) == 0) {
    const std::string text = "Die Eintr\xE4ge passen zu keiner L\xF6sung.";
    ShowHelpText(text, text);
    return;
  }
  SearchOptions options;
  options.uniqueness = check.solutions == 1;
  PatientSearch search;
  Step step;
  switch (search.Find(check.board, options, step)) {
    case SearchOutcome::kFound: {
      gHint = {1, step, gMainBoard};
      const std::string hint = StepHint(step);
      ShowHelpText(hint, hint);
      return;
    }
    case SearchOutcome::kStopped: {
      const std::string text = "Suche abgebrochen.";
      ShowHelpText(text, text);
      return;
    }
    default: {
      const std::string text = std::string("Keine Technik hilft weiter. ") +
                               (check.solutions == 1 ? "Das R\xE4tsel hat genau eine L\xF6sung."
                                                     : "Das R\xE4tsel hat mehr als eine L\xF6sung.");
      ShowHelpText(text, text);
      return;
    }
  }
}

}  // namespace

bool GiveHint() {
  gErrorColumn = -1;
  if (gHint.shown == 0 || gHint.board != gMainBoard) {
    FindHint();
    return false;
  }
  if (gHint.shown == 1) {
    gHint.shown = 2;
    const int cell = gHint.step.FirstChangedCell();
    SelectCell(ColumnOf(cell), RowOf(cell));
    ShowHelpText(StepShortText(gHint.step), StepFullText(gHint.step));
    return true;
  }
  ApplyStepToMainBoard(gHint.step);
  gHint.shown = 0;
  return true;
}
