#pragma once
// Puzzles as text, the way other programs, books and web sites hand them on:
//
//   - one line of 81 cells;
//   - nine lines of nine cells, with or without blanks between the cells;
//   - the same nine lines after header lines beginning with '#' (the text
//     ".sdk" files of other programs);
//   - the boxed grid of ".ss" files: '|' between the boxes of a row, a line
//     such as "---+---+---" between the bands, with or without a frame line
//     such as "*-----------*" above and below;
//   - one puzzle of 81 cells per line: the first one is taken.
//
// A cell is a given '1' to '9', or empty: '0', '.', '*', '-' or '_'. Blanks
// (spaces, tabs) around every line, CR LF line ends, a UTF-8 byte order mark,
// leading and trailing empty lines are accepted; anything else makes the
// text no puzzle.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The digits of a puzzle in reading order: digits[9 * (row - 1) + col - 1]
// is the given of cell (col, row), 1 to 9, or 0 for an empty cell.
using PuzzleDigits = std::array<int, 81>;

// Reading stops after this many bytes. Text beyond it is the rest of a longer
// file, which can only be a list of one puzzle per line: its lines that end
// within the limit must all be puzzles.
constexpr std::size_t kTextPuzzleLimit = 8192;

// Reads text as a puzzle into digits; false when the text is none of the
// forms above (digits are then unspecified). Looks at no more than
// kTextPuzzleLimit + 1 bytes, so a caller hands over that many to tell a
// longer text.
bool ReadTextPuzzle(std::string_view text, PuzzleDigits& digits);

// The main board becomes the puzzle: each given a locked cell holding that
// one digit, every other field of all 100 cells 0.
void LoadPuzzleDigits(const PuzzleDigits& digits);

// Loads the main board from text when it is a puzzle; true then. Otherwise
// the board stays as it was.
bool LoadTextPuzzle(std::string_view text);

// The main board as one line of 81 characters in reading order: the digit of
// each filled cell, '.' for every other cell.
std::string PuzzleLine();
