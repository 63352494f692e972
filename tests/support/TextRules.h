#pragma once
// The board queries and the solver written the plain way, through texts of
// digits and a full recount in every pass, as the program's rules state them.
// Tests compare the fast implementations against these.

#include <cstdint>
#include <string>

namespace text_rules {

std::int32_t CandidateNumber(int col, int row);
std::string BoxDigits(int col, int row);
std::string AllowedDigits(int col, int row);
std::int32_t Solve(std::int32_t stepBudget);

// The generator's fill phase on the main board, recounting every pass.
// Returns false when STOP ended it.
bool FillGrid();

}  // namespace text_rules
