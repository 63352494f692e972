#pragma once
// The board as assistive technology presents it: a table of the 81 puzzle
// cells, each named by its name and what it holds.

#include <string>

#include "board/Board.h"

// "E5" for column 5, row 5.
std::string CellLabel(int col, int row);

// "E5: 7" for a filled cell, "E5: Kandidaten 1, 3, 7" for an undecided one,
// "E5: leer" for an empty one; a locked cell adds ", vorgegeben", and the
// error cell ", Fehler" while the error display shows it.
std::string CellSpokenName(int col, int row);

// What a screen reader is told when the main board differs from before in
// puzzle cells (columns and rows 1 to 9): the names of up to three changed
// cells, "B3: 5; C3: leer"; for more, their count and how many cells are
// filled now, "45 Felder ge\xE4ndert; 81 von 81 gef\xFCllt"; "" for none.
std::string BoardChangeText(const Board& before);

// How full the board is: "27 von 81 gef\xFCllt".
std::string FilledText();

// What is said of a puzzle opened from path (native bytes): its file name and
// how full the board is now, "eins.sdk: 27 von 81 gef\xFCllt".
std::string OpenedPuzzleText(const std::string& path);

// The error check's finding: "Fehler in D2", "Kein Fehler gefunden", or
// "Fehler au\xDF" "erhalb des Spielfelds" for an error cell in column or row 0
// (which a loaded file can make).
std::string ErrorCheckText();

// Names every puzzle cell of the board gadget after the main board; names
// that changed are announced.
void NameBoardCells();
