#pragma once
// The conflict check of the user's entries on the main board.

#include <cstdint>

// The error cell: column -1 while no error is shown, else column and row 0 to 9.
extern std::int32_t gErrorColumn;
extern std::int32_t gErrorRow;

// Tests every filled, unlocked cell (locked flag exactly 0), columns 0 to 9 as
// the outer loop and rows 0 to 9 inside: its digit conflicts when another
// filled cell of its column, row or box holds it. The error cell becomes the
// last conflicting cell of that order, or column -1. Every tested cell ends
// with exactly its digit's flag set to 1 and its other candidate flags 0.
void CheckForErrors();
