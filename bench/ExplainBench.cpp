// The explaining solver on the rated puzzles of bench/rated-diabolical.txt
// (760 puzzles rated 5.0 to 9.3 on the Sudoku Explainer scale) beside qqwing,
// measured in one run: the times of the solution count, of the next step and
// of a whole explained solve; what a person gets (solved without guessing,
// by rating band, and no false step); how the rating ranks the puzzles
// against their given rating; and how it orders qqwing's own classes.
//
//   explain_bench [RATED-FILE]

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "explain/Explanation.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
}

Digits DigitsOfLine(const std::string& line) {
  Digits digits{};
  for (int cell = 0; cell < kCells && static_cast<std::size_t>(cell) < line.size(); ++cell) {
    const char c = line[static_cast<std::size_t>(cell)];
    Item(digits, cell) = static_cast<std::uint8_t>(c >= '1' && c <= '9' ? c - '0' : 0);
  }
  return digits;
}

// Ranks with ties averaged, for Spearman's coefficient.
std::vector<double> Ranks(const std::vector<double>& values) {
  std::vector<std::size_t> order(values.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  std::vector<double> ranks(values.size());
  for (std::size_t i = 0; i < order.size();) {
    std::size_t j = i;
    while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]]) ++j;
    for (std::size_t k = i; k <= j; ++k) ranks[order[k]] = static_cast<double>(i + j) / 2 + 1;
    i = j + 1;
  }
  return ranks;
}

double Spearman(const std::vector<double>& a, const std::vector<double>& b) {
  const std::vector<double> ra = Ranks(a), rb = Ranks(b);
  const double n = static_cast<double>(a.size());
  double ma = 0, mb = 0;
  for (std::size_t i = 0; i < ra.size(); ++i) ma += ra[i] / n, mb += rb[i] / n;
  double covariance = 0, va = 0, vb = 0;
  for (std::size_t i = 0; i < ra.size(); ++i) {
    covariance += (ra[i] - ma) * (rb[i] - mb);
    va += (ra[i] - ma) * (ra[i] - ma);
    vb += (rb[i] - mb) * (rb[i] - mb);
  }
  return covariance / std::sqrt(va * vb);
}

std::vector<std::string> CommandLines(const std::string& command) {
  std::vector<std::string> lines;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) lines.emplace_back(buffer);
    pclose(pipe);
  }
  return lines;
}

void PrintTimes(const char* what, const std::vector<double>& times) {
  std::printf("  %-34s %9.3f %9.3f %9.3f\n", what, Percentile(times, 0.5), Percentile(times, 0.99),
              times.empty() ? 0.0 : *std::max_element(times.begin(), times.end()));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string file = argc > 1 ? argv[1] : std::string(BENCH_FOLDER) + "/rated-diabolical.txt";
  std::ifstream in(file);
  std::vector<std::string> puzzles;
  std::vector<double> given;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string puzzle;
    double rating = 0;
    if (fields >> puzzle >> rating && puzzle.size() == kCells) {
      puzzles.push_back(puzzle);
      given.push_back(rating);
    }
  }
  if (puzzles.empty()) {
    std::fprintf(stderr, "explain_bench: no rated puzzles in %s\n", file.c_str());
    return 1;
  }

  std::vector<double> countTimes, firstStepTimes, stepTimes, solveTimes, ours;
  struct Band { int puzzles = 0, solved = 0; };
  std::map<int, Band> bands;  // 5: below 6.0, 6: 6.0 to 7.9, 8: from 8.0
  long steps = 0, falseSteps = 0;
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    const Position start = PositionOfDigits(DigitsOfLine(puzzles[i]));
    Solution solution{};
    auto began = Clock::now();
    const int solutions = CountSolutions(start, &solution);
    countTimes.push_back(Milliseconds(Clock::now() - began));

    // The whole solve, step by step as ExplainSolve takes them, each timed.
    began = Clock::now();
    Position position = start;
    SearchOptions options;
    options.uniqueness = solutions == 1;
    int rating = 0;
    for (bool first = true; position.OpenCount() > 0; first = false) {
      Step step;
      const auto stepStart = Clock::now();
      const bool found = FindNextStep(position, options, step).outcome == SearchOutcome::kFound;
      const double stepTime = Milliseconds(Clock::now() - stepStart);
      if (first) firstStepTimes.push_back(stepTime);
      if (!found) break;
      stepTimes.push_back(stepTime);
      ++steps;
      for (const Placement& placement : step.placements) falseSteps += Item(solution, placement.cell) != placement.digit;
      for (const Elimination& elimination : step.eliminations)
        falseSteps += (elimination.digits & DigitBit(Item(solution, elimination.cell))) != 0;
      rating = std::max(rating, step.rating);
      ApplyStep(position, step);
    }
    solveTimes.push_back(Milliseconds(Clock::now() - began));
    ours.push_back(rating / 10.0);
    Band& band = bands[given[i] < 6.0 ? 5 : given[i] < 8.0 ? 6 : 8];
    ++band.puzzles;
    band.solved += position.OpenCount() == 0 ? 1 : 0;
  }

  // qqwing solves the same puzzles by its own search, timing each.
  std::string list = "/tmp/explain-bench-puzzles.txt";
  {
    std::ofstream out(list);
    for (const std::string& puzzle : puzzles) out << puzzle << '\n';
  }
  std::vector<double> qqwingTimes;
  for (const std::string& line : CommandLines("qqwing --solve --timer --one-line < " + list + " 2>/dev/null"))
    if (line.rfind("Time: ", 0) == 0) qqwingTimes.push_back(std::stod(line.substr(6)));
  std::remove(list.c_str());

  std::printf("Explaining solver on %zu rated puzzles (%s)\n\n", puzzles.size(), file.c_str());
  std::printf("  %-34s %9s %9s %9s   (milliseconds)\n", "", "median", "p99", "max");
  PrintTimes("solution count", countTimes);
  PrintTimes("next step, from the givens", firstStepTimes);
  PrintTimes("next step, every step", stepTimes);
  PrintTimes("whole explained solve", solveTimes);
  if (qqwingTimes.size() == puzzles.size()) PrintTimes("qqwing --solve (its own timer)", qqwingTimes);
  else std::printf("  qqwing --solve: no times read (is qqwing installed?)\n");

  std::printf("\nWhat a person gets: %ld steps, %ld of them false\n", steps, falseSteps);
  for (const auto& [low, band] : bands)
    std::printf("  rated %-11s %4d puzzles, solved without guessing %4d (%.1f %%)\n",
                low == 5 ? "below 6.0" : low == 6 ? "6.0 to 7.9" : "8.0 and up", band.puzzles, band.solved,
                100.0 * band.solved / band.puzzles);
  std::printf("  rank correlation with the given rating (Spearman): %.3f\n", Spearman(given, ours));

  std::printf("\nqqwing's classes, 100 new puzzles each, rated here (median):");
  for (const char* difficulty : {"simple", "easy", "intermediate", "expert"}) {
    std::vector<double> ratings;
    for (const std::string& line :
         CommandLines(std::string("qqwing --generate 100 --difficulty ") + difficulty + " --one-line 2>/dev/null"))
      if (line.size() >= kCells) ratings.push_back(ExplainSolve(PositionOfDigits(DigitsOfLine(line))).rating / 10.0);
    std::printf(" %s %.1f", difficulty, Percentile(ratings, 0.5));
  }
  std::printf("\n");
  return falseSteps == 0 ? 0 : 1;
}
