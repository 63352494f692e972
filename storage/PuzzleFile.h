#pragma once
// The ".sdk" puzzle file: a dump of the whole main board, 100 cell records of
// ten 32-bit little-endian fields, column 0 to 9 outer, row 0 to 9 inner, no
// header: 4000 bytes. Field f of cell (col, row) is at (10 col + row) x 40 + 4 f.

#include <string>
#include <string_view>

#include "board/Board.h"

constexpr int kPuzzleFileSize = kBoardSize * kBoardSize * kCellFields * 4;

// Writes the main board to path. When a file can already be read there, asks
// "Soll die Datei wirklich überschrieben werden?" first and writes only on
// Yes, as ReplaceFileContents writes. Failures are silent.
void SavePuzzle(const std::string& path);

// Replaces all 100 cells of the main board with the file's fields. Missing
// bytes of a short file read as 0, bytes past 4000 are ignored. A file that
// cannot be opened leaves the board as it was. Failures are silent.
//
// Other programs' puzzles load too: a file that is not a board dump and reads
// wholly as a text puzzle (storage/TextPuzzle.h) gives that puzzle. A file of
// exactly 4000 bytes, or one holding a zero byte, is always a dump, so every
// file the program wrote loads as before; so is any file that is no text
// puzzle. At most kTextPuzzleLimit + 1 bytes of a file are read.
void LoadPuzzle(const std::string& path);

// Loads the main board from the first bytes of a file (at most
// kTextPuzzleLimit + 1; fewer only when the file is shorter), as LoadPuzzle
// does from a file that opened.
void LoadPuzzleFileStart(std::string_view start);

// Loads the main board from a file's bytes, as LoadPuzzle does from a file
// that opened.
void LoadPuzzleBytes(std::string_view bytes);

// The file's bytes for the main board.
std::string PuzzleBytes();
