// Files the other programs really write, made during the test: Debian's game
// "sudoku" (its standard and compact forms, several boards after '%' title
// lines) and qqwing (a puzzle with its solution, readable, compact and as
// lines, and a collection). Each opens as the first puzzle it holds, as the
// program writes it down.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "board/Board.h"
#include "storage/PuzzleFile.h"
#include "storage/TextPuzzle.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr const char* kSudoku = "/usr/games/sudoku";  // Debian's package "sudoku"
constexpr const char* kQqwing = "/usr/bin/qqwing";    // Debian's package "qqwing"

// What the shell command writes to its standard output.
std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
    ::pclose(pipe);
  }
  return output;
}

// The first board of a file of the game "sudoku" as its 81 cells, read the
// plain way: the nine lines after the first '%' line that are no rules, each
// without its blanks and bars.
std::string FirstBoardCells(const std::string& file) {
  std::istringstream lines(file);
  std::string line, cells;
  while (std::getline(lines, line) && !line.starts_with("%")) {
  }
  while (cells.size() < 81 && std::getline(lines, line)) {
    if (line.find("---") != std::string::npos) continue;
    for (char c : line)
      if (c != ' ' && c != '|') cells += c;
  }
  return cells;
}

class OtherProgramsFiles : public ::testing::Test {
 protected:
  // Opens the file as a .sdk file and tells the board's line.
  std::string Opened(const std::string& file) {
    const std::string path = folder.Path("other.sdk");
    std::ofstream(path, std::ios::binary) << file;
    ClearBoard(gMainBoard);
    EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kText) << "no text puzzle:\n" << file;
    return PuzzleLine();
  }

  TempFolder folder;
};

TEST_F(OtherProgramsFiles, DebianSudokuStandardAndCompact) {
  for (const std::string form : {"standard", "compact"}) {
    const std::string file = Output(std::string(kSudoku) + " -g3 -f" + form);
    ASSERT_TRUE(file.starts_with("%")) << form << ":\n" << file;
    const std::string expected = FirstBoardCells(file);
    ASSERT_EQ(expected.size(), 81u) << file;
    EXPECT_EQ(Opened(file), expected) << form;
  }
}

TEST_F(OtherProgramsFiles, QqwingPuzzleWithItsSolutionInEachForm) {
  const std::string puzzle = Output(std::string(kQqwing) + " --generate 2 --one-line");
  ASSERT_EQ(puzzle.size(), 2 * 82u) << puzzle;
  const std::string first = puzzle.substr(0, 81);
  std::ofstream(folder.Path("two.txt")) << puzzle;
  for (const std::string form : {"--readable", "--compact", "--one-line"}) {
    const std::string solve = std::string(kQqwing) + " --solve --puzzle " + form + " < " + folder.Path("two.txt");
    EXPECT_EQ(Opened(Output(solve + " --solution")), first) << form << ", the puzzles with their solutions";
    EXPECT_EQ(Opened(Output(solve + " --nosolution")), first) << form << ", the puzzles alone";
  }
}

}  // namespace
