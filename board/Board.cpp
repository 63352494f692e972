#include "board/Board.h"

Board gMainBoard{};
Board gTrialBoard{};
Board gSolutionBoard{};

std::int32_t& CellField(Cell& cell, int field) {
  return field < 9 ? cell.candidate[static_cast<std::size_t>(field)] : cell.locked;
}

void ClearBoard(Board& board) { board = Board{}; }
