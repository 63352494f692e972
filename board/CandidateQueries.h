#pragma once
// The read-only queries over the main board that encode the Sudoku rule: a
// digit counts as placed in a column, row or box only where a filled cell of
// that unit holds it. Empty and undecided cells place nothing.
//
// Every query takes a column and a row; the puzzle uses 1 to 9 and 0 is
// accepted like any other index. A position outside 0 to 9 names no cell and
// reads as an empty cell. Nothing is cached: each call reads the flags afresh.

#include <cstdint>
#include <string>

#include "board/Board.h"

// Sets of digits as 9-bit masks: bit d - 1 stands for digit d.
constexpr int kAllDigits = 0x1FF;

// The digits whose flag holds exactly 1.
int CandidateMask(const Cell& cell);

// The digit of a filled cell (exactly one flag set), else 0.
int FilledDigit(const Cell& cell);

// The candidate string read as a decimal number: 0 for no candidate, the digit
// itself for one, 12 to 123456789 (digits ascending) for several.
std::int32_t CandidateNumber(int col, int row);

// The stack of a column index or the band of a row index: 1 for 1 to 3, 2 for
// 4 to 6, 3 for any other value (0 included).
int BandOrStack(int index);

// Box 1 to 9 in reading order: stack + 3 x (band - 1).
int BoxNumber(int col, int row);

// One digit character for each filled cell of the box of (col, row), visited
// row by row from the top, left to right. A digit appears twice when two
// filled cells of the box hold it.
std::string BoxDigits(int col, int row);

// The digits 1 to 9 placed by no filled cell of the column, the row or the
// box of (col, row), ascending; "" when every digit is placed. The cell itself
// is part of its units, so a filled cell blocks its own digit.
std::string AllowedDigits(int col, int row);

// AllowedDigits as a mask, for the loops that must not build text.
int AllowedMask(int col, int row);

// The digits of a mask as ascending text ("" to "123456789").
std::string DigitText(int mask);
