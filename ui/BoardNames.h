#pragma once
// The board as assistive technology presents it: a table of the 81 puzzle
// cells, each named by its name and what it holds.

#include <string>

// "E5: 7" for a filled cell, "E5: Kandidaten 1, 3, 7" for an undecided one,
// "E5: leer" for an empty one; a locked cell adds ", vorgegeben".
std::string CellSpokenName(int col, int row);

// Names every puzzle cell of the board gadget after the main board; names
// that changed are announced.
void NameBoardCells();
