#pragma once
// The naked-single solver of the main board.

#include <cstdint>
#include <string>

// The status texts of the long-running commands (Windows-1252), made once:
// the generator shows one in every pass of its fill phase.
inline const std::string kSolvingText = "L\xF6sen...";
inline const std::string kCreatingText = "Erstellen...";
inline const std::string kDoneText = "Fertig!";

// Most passes one solve runs: 81 sweeps of the board.
constexpr int kSolvePassLimit = 81 * 81;

// Fills empty cells whose allowed digits are exactly one digit, one cell per
// pass, the cursor walking the board in reading order from A1 and wrapping.
// Every pass first polls one event and ends the solve on STOP. The solve ends
// when all 81 cells are filled, after kSolvePassLimit passes, or when the pass
// has brought the filled count to its start value + stepBudget (so budget 1
// is one step). Shows "Lösen..." while it runs and "Fertig!" after.
// Returns 1 when all 81 puzzle cells are filled at the end, else 0.
std::int32_t Solve(std::int32_t stepBudget);
