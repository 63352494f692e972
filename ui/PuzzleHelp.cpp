#include "ui/PuzzleHelp.h"

#include "board/CandidateQueries.h"
#include "explain/StepText.h"
#include "solve/ErrorCheck.h"
#include "ui/MainWindow.h"
#include "ui/PatientSearch.h"

namespace {

void Say(const std::string& text) { ShowHelpText(text, text); }

}  // namespace

void FillCandidates() {
  int filled = 0;
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row) {
      Cell& cell = gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
      if (cell.locked == 1 || CandidateMask(cell) != 0) continue;
      const int allowed = AllowedMask(col, row);
      if (allowed == 0) continue;
      for (int digit = 1; digit <= 9; ++digit)
        cell.candidate[static_cast<std::size_t>(digit - 1)] = (allowed & DigitBit(digit)) ? 1 : 0;
      ++filled;
    }
  if (filled == 0) Say("Kein leeres Feld ohne Kandidaten.");
  else Say("Kandidaten in " + std::to_string(filled) + (filled == 1 ? " Feld" : " Feldern") + " eingetragen.");
}

void ShowCheckResult(const BoardCheck& check) {
  if (check.misfit >= 0) {
    gErrorColumn = ColumnOf(check.misfit);
    gErrorRow = RowOf(check.misfit);
  }
  Say(BoardCheckText(check));
}

void CheckAgainstSolution() {
  gErrorColumn = -1;
  ShowCheckResult(CheckMainBoard());
}

void RatePuzzle() {
  const Digits givens = GivensOfMainBoard();
  Position position = PositionOfDigits(givens);
  const int solutions = CountSolutions(position);
  if (solutions != 1) {
    BoardCheck check;
    check.solutions = solutions;
    Say(BoardCheckText(check));
    return;
  }
  if (position.OpenCount() == 0) {
    Say("Das R\xE4tsel hat kein offenes Feld.");
    return;
  }
  SearchOptions options;
  options.uniqueness = true;
  PatientSearch search;
  Step hardest;
  while (position.OpenCount() > 0) {
    Step step;
    const SearchOutcome outcome = search.Find(position, options, step);
    if (outcome == SearchOutcome::kStopped) {
      Say("Suche abgebrochen.");
      return;
    }
    if (outcome != SearchOutcome::kFound) {
      Say("Schwierigkeit \xFC" "ber " + RatingNumber(hardest.rating, ',') + ": keine Technik hilft weiter.");
      return;
    }
    if (step.rating > hardest.rating) hardest = step;
    ApplyStep(position, step);
  }
  Say(RatingText(hardest));
}
