#include "ui/BoardNames.h"

#include "board/Board.h"
#include "board/CandidateQueries.h"
#include "ui/Resources.h"

std::string CellSpokenName(int col, int row) {
  std::string name(1, static_cast<char>(64 + col));
  name += std::to_string(row);
  name += ": ";
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
  if (gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].locked == 1) name += ", vorgegeben";
  return name;
}

void NameBoardCells() {
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row) SetGridCellName(kBoardGadget, col, row, CellSpokenName(col, row));
}
