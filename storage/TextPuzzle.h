#pragma once
// Puzzles as text, the way other programs, books, web sites and spreadsheets
// hand them on:
//
//   - one line of 81 cells, also after a short label such as "Puzzle:" or
//     "R\xE4tsel:" (a word or two of letters and digits, ending in ':');
//   - nine lines of nine cells, with or without blanks between the cells, or
//     with a tab between each two cells (a spreadsheet's or a web page's
//     table, where an empty cell is nothing or blanks);
//   - the boxed grid of ".ss" files: '|' between the boxes of a row, a line
//     such as "---+---+---" between the bands, with or without a frame line
//     such as "*-----------*" above and below;
//   - title lines before a puzzle: '#' lines (the text ".sdk" files of other
//     programs), '%' lines (the Debian game "sudoku"), or a label alone;
//   - several puzzles: one per line, or grids each after an empty line or
//     its own title lines (a puzzle and its solution, a collection). The
//     first is taken; the others must be puzzles too.
//
// A cell is a given '1' to '9', or empty: '0', '.', '*', '-' or '_'. The
// text may be UTF-8 (with or without its byte order mark), Windows-1252 or
// UTF-16 after its byte order mark; lines may end in LF, CR LF or CR alone;
// blanks are spaces, tabs and no-break spaces. Blanks around every line,
// leading and trailing empty lines are accepted; anything else makes the
// text no puzzle.
//
// The form of a file is told by how the program loads it
// (storage/PuzzleFile.h).

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The digits of a puzzle in reading order: digits[9 * (row - 1) + col - 1]
// is the given of cell (col, row), 1 to 9, or 0 for an empty cell.
using PuzzleDigits = std::array<int, 81>;

// Reading stops after this many bytes. Text beyond it is the rest of a longer
// file, which can only be a collection of puzzles: its lines that end within
// the limit must be whole puzzles, but for the last one, which may be cut.
constexpr std::size_t kTextPuzzleLimit = 8192;

// Reads text as a puzzle into digits; false when the text is none of the
// forms above (digits are then unspecified). Looks at no more than
// kTextPuzzleLimit + 1 bytes, so a caller hands over that many to tell a
// longer text.
bool ReadTextPuzzle(std::string_view text, PuzzleDigits& digits);

// One puzzle of a collection read whole, or a stretch of lines that is none.
struct TextPuzzleEntry {
  std::size_t line = 0;      // its first line, from 1 (after its title lines)
  std::size_t lastLine = 0;  // its last line
  bool read = false;         // false: these lines are no puzzle
  PuzzleDigits digits{};     // all 0 when not read
};

// Every puzzle of a text in turn, each in any of the forms above, and every
// stretch of lines that is none, for a tool that reads a whole collection.
// A line of 81 cells may also carry words after a blank, ',' or ';' (a
// rating, a name, the further fields of a table).
// The text has no length limit.
void ForEachTextPuzzle(std::string_view text, const std::function<void(const TextPuzzleEntry&)>& visit);

// The main board becomes the puzzle: each given a locked cell holding that
// one digit, every other field of all 100 cells 0.
void LoadPuzzleDigits(const PuzzleDigits& digits);

// Loads the main board from text when it is a puzzle; true then. Otherwise
// the board stays as it was.
bool LoadTextPuzzle(std::string_view text);

// The main board as one line of 81 characters in reading order: the digit of
// each filled cell, '.' for every other cell.
std::string PuzzleLine();
