#pragma once
// Puzzles through the clipboard, as text other programs and web solvers read
// and write (storage/TextPuzzle.h).

// The clipboard's text, when it is a puzzle in any of the text forms, becomes
// the main board as opening that puzzle would make it. Other text changes
// nothing but the status line, which says "Kein R\xE4tsel erkannt" where the
// help commands' texts show.
void PastePuzzle();

// Puts the main board on the clipboard as one line of 81 characters: the
// digit of each filled cell, '.' for every other cell.
void CopyPuzzle();
