#include "ui/BoardNames.h"

#include "board/Board.h"
#include "board/CandidateQueries.h"
#include "solve/ErrorCheck.h"
#include "ui/Resources.h"

namespace {

const Cell& At(const Board& board, int col, int row) {
  return board[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

}  // namespace

std::string CellLabel(int col, int row) {
  std::string label(1, static_cast<char>(64 + col));
  label += std::to_string(row);
  return label;
}

std::string CellSpokenName(int col, int row) {
  std::string name = CellLabel(col, row) + ": ";
  const std::string digits = std::to_string(CandidateNumber(col, row));
  if (digits == "0") {
    name += "leer";
  } else if (digits.size() == 1) {
    name += digits;
  } else {
    name += "Kandidaten ";
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0) name += ", ";
      name += digits[i];
    }
  }
  if (At(gMainBoard, col, row).locked == 1) name += ", vorgegeben";
  if (col == gErrorColumn && row == gErrorRow) name += ", Fehler";
  return name;
}

std::string BoardChangeText(const Board& before) {
  std::string names;
  int changed = 0;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      if (At(gMainBoard, col, row) == At(before, col, row)) continue;
      if (++changed > 3) continue;
      if (!names.empty()) names += "; ";
      names += CellSpokenName(col, row);
    }
  if (changed <= 3) return names;
  return std::to_string(changed) + " Felder ge\xE4ndert; " + FilledText();
}

std::string FilledText() {
  int filled = 0;
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col)
      if (FilledDigit(At(gMainBoard, col, row)) != 0) ++filled;
  return std::to_string(filled) + " von 81 gef\xFCllt";
}

std::string OpenedPuzzleText(const std::string& path) { return FileNameText(path) + ": " + FilledText(); }

std::string ErrorCheckText() {
  if (gErrorColumn < 0) return "Kein Fehler gefunden";
  if (gErrorColumn == 0 || gErrorRow == 0) return "Fehler au\xDF" "erhalb des Spielfelds";
  return "Fehler in " + CellLabel(gErrorColumn, gErrorRow);
}

void NameBoardCells() {
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row) SetGridCellName(kBoardGadget, col, row, CellSpokenName(col, row));
}
