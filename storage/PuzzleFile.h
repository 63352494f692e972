#pragma once
// The ".sdk" puzzle file: a dump of the whole main board, 100 cell records of
// ten 32-bit little-endian fields, column 0 to 9 outer, row 0 to 9 inner, no
// header: 4000 bytes. Field f of cell (col, row) is at (10 col + row) x 40 + 4 f.

#include <string>
#include <string_view>

#include "board/Board.h"

constexpr int kPuzzleFileSize = kBoardSize * kBoardSize * kCellFields * 4;

// Writes the main board to path. When a file can already be read there, asks
// "Soll die Datei wirklich \xFC" "berschrieben werden?" first and writes only on
// Yes, as ReplaceFileContents writes. Failures show nothing; true when the
// file was written.
bool SavePuzzle(const std::string& path);

// What a file was read as.
enum class PuzzleFound {
  kNothing,  // it could not be opened: the board is as it was
  kDump,     // a board dump: exactly 4000 bytes, or a zero byte in it (not
             // after a UTF-16 byte order mark)
  kText,     // a puzzle as text (storage/TextPuzzle.h)
  kOther,    // neither: its bytes were loaded as a dump all the same
};

// Replaces all 100 cells of the main board with the file's fields. Missing
// bytes of a short file read as 0, bytes past 4000 are ignored. A file that
// cannot be opened leaves the board as it was. Failures show nothing.
//
// Other programs' puzzles load too: a file that is not a board dump and reads
// wholly as a text puzzle gives that puzzle. A file of exactly 4000 bytes, or
// one holding a zero byte (but for text after a UTF-16 byte order mark), is
// always a dump, so every file the program wrote loads as before; so is any
// file that is no text puzzle. At most kTextPuzzleLimit + 1 bytes of a file
// are read.
PuzzleFound LoadPuzzle(const std::string& path);

// Loads the main board from the first bytes of a file (at most
// kTextPuzzleLimit + 1; fewer only when the file is shorter), as LoadPuzzle
// does from a file that opened.
PuzzleFound LoadPuzzleFileStart(std::string_view start);

// Loads the main board from a file's bytes, as LoadPuzzle does from a file
// that opened.
void LoadPuzzleBytes(std::string_view bytes);

// The file's bytes for the main board.
std::string PuzzleBytes();
