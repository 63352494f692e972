#include "tests/support/TextRules.h"

#include "board/CandidateQueries.h"
#include "generate/Random.h"
#include "platform/CoreServices.h"
#include "solve/Solve.h"
#include "tests/support/BoardBuilder.h"

namespace text_rules {

std::int32_t CandidateNumber(int col, int row) {
  std::string text;
  for (int d = 1; d <= 9; ++d)
    if (At(col, row).candidate[static_cast<std::size_t>(d - 1)] == 1) text += std::to_string(d);
  return text.empty() ? 0 : std::stoi(text);
}

static bool Filled(int col, int row) {
  const std::int32_t number = CandidateNumber(col, row);
  return std::to_string(number).size() == 1 && number > 0;
}

std::string BoxDigits(int col, int row) {
  const int box = BandOrStack(col) + 3 * (BandOrStack(row) - 1);
  const int s = 3 * ((box - 1) % 3) + 1, t = 3 * ((box - 1) / 3) + 1;
  std::string digits;
  for (int y = t; y < t + 3; ++y)
    for (int x = s; x < s + 3; ++x)
      if (Filled(x, y)) digits += std::to_string(CandidateNumber(x, y));
  return digits;
}

std::string AllowedDigits(int col, int row) {
  std::string allowed;
  for (int i = 1; i <= 9; ++i) {
    bool blocked = false;
    for (int k = 1; k <= 9; ++k)
      if (CandidateNumber(col, k) == i || CandidateNumber(k, row) == i) blocked = true;
    if (!blocked && BoxDigits(col, row).find(std::to_string(i)) != std::string::npos) blocked = true;
    if (!blocked) allowed += std::to_string(i);
  }
  return allowed;
}

static int CountFilled() {
  int filled = 0;
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row) filled += Filled(col, row) ? 1 : 0;
  return filled;
}

std::int32_t Solve(std::int32_t stepBudget) {
  int col = 1, row = 1, passes = 0;
  SetStatusText(kSolvingText);
  int filled = CountFilled();
  for (;;) {
    ++passes;
    if (PollForStop()) break;
    const int before = filled;
    const std::string allowed = AllowedDigits(col, row);
    if (CandidateNumber(col, row) == 0 && allowed.size() == 1)
      At(col, row).candidate[static_cast<std::size_t>(std::stoi(allowed) - 1)] = 1;
    filled = CountFilled();
    if (++col == 10) {
      col = 1;
      if (++row == 10) row = 1;
    }
    if (filled == 81 || passes == 6561 || std::int64_t{filled} == std::int64_t{before} + stepBudget) break;
  }
  SetStatusText(kDoneText);
  return filled >= 81 ? 1 : 0;
}

bool FillGrid() {
  const std::string fallbackOrder = "368215947";
  int lastDeadEnd = 0;
restart:
  int col = 1, row = 1;
  for (int c = 1; c <= 9; ++c)
    for (int r = 1; r <= 9; ++r) {
      At(c, r).candidate.fill(0);
      At(c, r).locked = 1;
    }
  for (;;) {
    if (PollForStop()) return false;
    const int filled = CountFilled();
    SetStatusText(kCreatingText);
    if (filled < 81) {
      for (;;) {
        const std::string drawn = std::to_string(RandomDraw(8) + 1);
        const std::string allowed = AllowedDigits(col, row);
        std::string digit;
        if (allowed.find(drawn) != std::string::npos) {
          digit = drawn;
        } else if (!allowed.empty()) {
          for (char candidate : fallbackOrder)
            if (allowed.find(candidate) != std::string::npos) {
              digit = std::string(1, candidate);
              break;
            }
        } else {
          At(col, row) = Cell{};
          if (filled == lastDeadEnd) goto restart;
          lastDeadEnd = filled;
          col = 2;
          continue;
        }
        Cell& cell = At(col, row);
        cell.candidate.fill(0);
        cell.candidate[static_cast<std::size_t>(std::stoi(digit) - 1)] = 1;
        cell.locked = 1;
        break;
      }
    }
    if (++col == 10) {
      col = 1;
      if (++row == 10) row = 1;
    }
    if (filled == 81) return true;
  }
}

}  // namespace text_rules
