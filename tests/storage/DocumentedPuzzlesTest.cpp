// The sample puzzles the documents show, README.md and the manual pages, are
// proper puzzles: each has exactly one solution, as the explaining solver's
// exact count finds. (README's sample is also the reader tests' own.)

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "explain/Position.h"
#include "explain/SolutionCount.h"
#include "storage/TextPuzzle.h"

namespace {

std::string ReadDocument(const std::string& name) {
  std::ifstream file(std::string(TESTS_FOLDER) + "/../" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Where a document may show a puzzle: its code spans (`...`) and its blocks of
// preformatted lines (README's lines indented by four blanks, a manual page's
// lines between .nf and .fi, less their leading "\&").
std::vector<std::string> Passages(const std::string& text) {
  std::vector<std::string> passages;
  for (std::size_t at = text.find('`'); at != std::string::npos; at = text.find('`', at + 1)) {
    const std::size_t end = text.find('`', at + 1);
    if (end == std::string::npos) break;
    passages.push_back(text.substr(at + 1, end - at - 1));
    at = end;
  }
  std::istringstream lines(text);
  std::string line, block;
  bool preformatted = false;
  while (std::getline(lines, line)) {
    if (line == ".nf" || line == ".fi") preformatted = line == ".nf";
    const bool inBlock = (preformatted && line != ".nf") || line.starts_with("    ");
    if (inBlock) block += (line.starts_with("\\&") ? line.substr(2) : line) + "\n";
    if (!inBlock && !block.empty()) passages.push_back(std::exchange(block, std::string()));
  }
  if (!block.empty()) passages.push_back(block);
  return passages;
}

int Solutions(const PuzzleDigits& digits) {
  std::array<std::uint8_t, kCells> cells{};
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<std::uint8_t>(digits[i]);
  return CountSolutions(PositionOfDigits(cells));
}

TEST(DocumentedPuzzles, EachHasExactlyOneSolution) {
  for (const char* name : {"README.md", "desktop/man/tolva-sudoku.6", "desktop/man/tolva-sudoku.de.6"}) {
    const std::string document = ReadDocument(name);
    ASSERT_FALSE(document.empty()) << name;
    int samples = 0;
    for (const std::string& passage : Passages(document)) {
      PuzzleDigits digits{};
      if (!ReadTextPuzzle(passage, digits)) continue;
      ++samples;
      EXPECT_EQ(Solutions(digits), 1) << name << " shows a puzzle without exactly one solution:\n" << passage;
    }
    EXPECT_GE(samples, 1) << name << " shows a sample puzzle";
  }
}

}  // namespace
