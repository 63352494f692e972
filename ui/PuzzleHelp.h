#pragma once
// The commands that help beside the hint: the candidates filled in (key K),
// the entries checked against the solution (Ctrl+Shift+F), and the puzzle's
// rating (B). Their texts show in the status line and are spoken.

#include "explain/Explanation.h"

// Every empty, unlocked cell gets its allowed digits as marks; cells that
// hold marks keep them.
void FillCandidates();

// The entries held to the puzzle's solution.
void CheckAgainstSolution();

// The rating of the puzzle's givens and its hardest technique.
void RatePuzzle();

// Shows a check's finding, and a cell that does not fit the solution with
// the error check's red display.
void ShowCheckResult(const BoardCheck& check);
