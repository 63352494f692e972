#include "storage/TextPuzzle.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "storage/PuzzleFile.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempFolder.h"

namespace {

// A puzzle of our own, off every diagonal: B1 holds 4, A2 holds 3.
const std::string kRows[9] = {".4..2...7", "3...9.1..", "..8....5.", "2.....6..", ".7.3.8.9.",
                              "..5.....1", ".6....8..", "..9.7...3", "1...5..4."};

std::string Line() {
  std::string line;
  for (const std::string& row : kRows) line += row;
  return line;
}

// The rows joined by end, each row's cells put through cell.
template <typename Cell>
std::string Grid(const std::string& end, Cell cell) {
  std::string text;
  for (const std::string& row : kRows) {
    for (std::size_t i = 0; i < row.size(); ++i) text += cell(row[i], i);
    text += end;
  }
  return text;
}

std::string Grid(const std::string& end = "\n") {
  return Grid(end, [](char c, std::size_t) { return std::string(1, c); });
}

// The board the puzzle loads as: its givens locked, every other field 0.
Board Expected() {
  Board board{};
  const std::string line = Line();
  for (int row = 1; row <= 9; ++row)
    for (int col = 1; col <= 9; ++col) {
      const char c = line[static_cast<std::size_t>(9 * (row - 1) + col - 1)];
      if (c == '.') continue;
      board[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].candidate[static_cast<std::size_t>(c - '1')] = 1;
      board[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].locked = 1;
    }
  return board;
}

class TextPuzzle : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadGrid(SolvedGrid(), false);  // a board to be replaced wholly
    At(0, 0).candidate[3] = 7;
    At(5, 0).locked = 1;
  }

  // Loads text as a puzzle and tells whether it gave the sample.
  ::testing::AssertionResult LoadsTheSample(const std::string& text) {
    if (!LoadTextPuzzle(text)) return ::testing::AssertionFailure() << "no puzzle: [" << text << "]";
    if (gMainBoard != Expected()) return ::testing::AssertionFailure() << "other board: " << GridText();
    return ::testing::AssertionSuccess();
  }

  ::testing::AssertionResult IsNoPuzzle(const std::string& text) {
    const Board before = gMainBoard;
    if (LoadTextPuzzle(text)) return ::testing::AssertionFailure() << "read as a puzzle: [" << text << "]";
    if (gMainBoard != before) return ::testing::AssertionFailure() << "the board changed";
    return ::testing::AssertionSuccess();
  }

  TempFolder folder;
};

TEST_F(TextPuzzle, OneLineOfEightyOneCells) {
  EXPECT_TRUE(LoadsTheSample(Line()));
  std::string line = Line();
  const std::string empties = "0.*-_";
  for (std::size_t i = 0, e = 0; i < line.size(); ++i)
    if (line[i] == '.') line[i] = empties[e++ % empties.size()];
  EXPECT_TRUE(LoadsTheSample(line));
  EXPECT_TRUE(LoadsTheSample("\xEF\xBB\xBF \t" + line + " \r\n\r\n\n  \n"));

  EXPECT_TRUE(IsNoPuzzle(Line().substr(0, 80)));
  EXPECT_TRUE(IsNoPuzzle(Line() + "5"));
  EXPECT_TRUE(IsNoPuzzle(Line().substr(0, 40) + " " + Line().substr(40)));
  EXPECT_TRUE(IsNoPuzzle(Line().substr(0, 80) + "x"));
  EXPECT_TRUE(IsNoPuzzle(Line() + "\nmore text"));
  EXPECT_TRUE(IsNoPuzzle(""));
  EXPECT_TRUE(IsNoPuzzle("\xEF\xBB\xBF\r\n  \n"));
}

TEST_F(TextPuzzle, OnePuzzlePerLineGivesTheFirst) {
  const std::string other(81, '9');
  EXPECT_TRUE(LoadsTheSample(Line() + "\n" + other + "\n" + other));
  EXPECT_TRUE(LoadsTheSample(Line() + "\r\n" + other + "\r\n"));
  EXPECT_TRUE(IsNoPuzzle(Line() + "\n" + other.substr(1) + "\n"));

  // A long collection: only lines that end within the limit are read.
  std::string list = Line() + "\n";
  while (list.size() < 3 * kTextPuzzleLimit) list += other + "\n";
  EXPECT_TRUE(LoadsTheSample(list));
  EXPECT_TRUE(IsNoPuzzle(list.substr(0, kTextPuzzleLimit - 100) + "no puzzle\n" + list));
}

TEST_F(TextPuzzle, NineRowsWithOrWithoutBlanks) {
  EXPECT_TRUE(LoadsTheSample(Grid()));
  EXPECT_TRUE(LoadsTheSample(Grid("\r\n") + "\r\n"));
  EXPECT_TRUE(LoadsTheSample("\n\n" + Grid(" \t\n")));
  EXPECT_TRUE(LoadsTheSample(Grid("\n", [](char c, std::size_t) { return std::string(1, c == '.' ? '0' : c) + " "; })));
  EXPECT_TRUE(LoadsTheSample(Grid("\n", [](char c, std::size_t) { return std::string{'\t', c}; })));

  EXPECT_TRUE(IsNoPuzzle(Grid() + kRows[0] + "\n")) << "a tenth row";
  EXPECT_TRUE(IsNoPuzzle(Grid().substr(10)));
  EXPECT_TRUE(IsNoPuzzle(Grid().substr(0, 9) + "1" + Grid().substr(9)));
  EXPECT_TRUE(IsNoPuzzle(Grid().substr(0, 20) + "\n" + Grid().substr(20))) << "an empty line inside a band";
  EXPECT_TRUE(IsNoPuzzle(Grid() + "\nsome words"));
}

TEST_F(TextPuzzle, HeaderLinesBeforeTheGrid) {
  const std::string header = "#AEine Autorin\r\n#DZum Wochenende, mittel\r\n#B2026-12-08\r\n#U\r\n";
  EXPECT_TRUE(LoadsTheSample(header + Grid("\r\n")));
  EXPECT_TRUE(LoadsTheSample("\xEF\xBB\xBF" + header + "\r\n" + Grid("\r\n") + "\r\n\r\n"));
  EXPECT_TRUE(LoadsTheSample("# one line\n" + Line() + "\n"));

  EXPECT_TRUE(IsNoPuzzle(header));
  EXPECT_TRUE(IsNoPuzzle(Grid().substr(0, 30) + "#C a comment\n" + Grid().substr(30)));
  EXPECT_TRUE(IsNoPuzzle(Grid() + "#C after\n"));
}

TEST_F(TextPuzzle, BoxedGridWithAndWithoutFrame) {
  // The rows with bar at both ends and "|" (or sep) between the boxes, rule
  // between the bands, frame above and below unless empty.
  const auto boxed = [](const std::string& bar, const std::string& rule, const std::string& frame,
                        const std::string& sep = "|", bool spaced = false) {
    std::string text = frame.empty() ? "" : frame + "\n";
    for (int row = 0; row < 9; ++row) {
      if (row == 3 || row == 6) text += rule + "\n";
      std::string r;
      for (char c : kRows[row]) r += spaced && !r.empty() ? std::string{' ', c} : std::string{c};
      const std::size_t box = spaced ? 6 : 3;
      text += bar + r.substr(0, box) + sep + r.substr(box, box) + sep + r.substr(2 * box) + bar + "\n";
    }
    return frame.empty() ? text : text + frame + "\n";
  };
  EXPECT_TRUE(LoadsTheSample(boxed("|", "|---+---+---|", "*-----------*")));
  EXPECT_TRUE(LoadsTheSample(boxed("", "---+---+---", "")));
  EXPECT_TRUE(LoadsTheSample("\xEF\xBB\xBF" + boxed("|", "|---+---+---|", "*-----------*")));
  EXPECT_TRUE(LoadsTheSample(boxed("", "------+-------+------", "", "| ", true)));
  EXPECT_TRUE(LoadsTheSample(boxed("", "", "", "", false))) << "empty lines between the bands";

  std::string misplacedBar = boxed("", "---+---+---", "");
  misplacedBar.replace(0, 11, ".4|..2.|..7");
  EXPECT_TRUE(IsNoPuzzle(misplacedBar));
  EXPECT_TRUE(IsNoPuzzle(boxed("||", "---+---+---", "")));
  EXPECT_TRUE(IsNoPuzzle(boxed("", "---+---+---", "", "||")));
  std::string ruleInBand = Grid();
  ruleInBand = ruleInBand.substr(0, 10) + "---+---+---\n" + ruleInBand.substr(10);
  EXPECT_TRUE(IsNoPuzzle(ruleInBand));
  EXPECT_TRUE(IsNoPuzzle(boxed("", "---+---+---\n---+---+---", "")));
  EXPECT_TRUE(IsNoPuzzle(boxed("", "---+-x-+---", "")));
}

TEST_F(TextPuzzle, FilesTellDumpsFromText) {
  const std::string path = folder.Path("p.sdk");
  const auto write = [&](const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; };

  write("#AJemand\n" + Grid());
  LoadPuzzle(path);
  EXPECT_EQ(gMainBoard, Expected());

  // Exactly 4000 bytes, or a zero byte anywhere: a board dump, whatever it reads as.
  const std::string fourThousand = Line() + std::string(4000 - 81, '\n');
  write(fourThousand);
  LoadPuzzle(path);
  EXPECT_EQ(PuzzleBytes(), fourThousand);
  const std::string withZero = Line() + std::string(1, '\0');
  write(withZero);
  LoadPuzzle(path);
  EXPECT_EQ(PuzzleBytes(), withZero + std::string(4000 - withZero.size(), '\0'));

  // A truncated dump of a board with givens stays a dump.
  LoadPuzzleDigits([] { PuzzleDigits d{}; d[1] = 4; d[80] = 9; return d; }());
  const std::string dump = PuzzleBytes();
  write(dump.substr(0, 1500));
  ClearBoard(gMainBoard);
  LoadPuzzle(path);
  EXPECT_EQ(PuzzleBytes(), dump.substr(0, 1500) + std::string(2500, '\0'));

  // Text that is no puzzle loads as before: its bytes as a dump.
  write("1234\n");
  LoadPuzzle(path);
  EXPECT_EQ(PuzzleBytes(), "1234\n" + std::string(3995, '\0'));
}

TEST_F(TextPuzzle, AHugeFileIsReadOnlyAsFarAsTheLimit) {
  const std::string path = folder.Path("huge.sdk");
  {
    std::ofstream file(path, std::ios::binary);
    file << Line() << "\n";
    const std::string block(1 << 20, '7');
    for (int i = 0; i < 64; ++i) file << block;  // one endless line after the first
  }
  AllocationLimit limit(256 * 1024);
  LoadPuzzle(path);
  EXPECT_EQ(gMainBoard, Expected()) << "the cut-off last line is not looked at";
  EXPECT_LT(limit.Peak(), 128u * 1024);
}

TEST_F(TextPuzzle, TheBoardAsALine) {
  LoadTextPuzzle(Line());
  EXPECT_EQ(PuzzleLine(), Line());
  SetCandidates(3, 1, "6");      // entered, not locked: filled all the same
  SetCandidates(2, 1, "45");     // undecided
  At(1, 2).candidate[2] = 2;     // a flag other than 1 counts as not set
  At(0, 1).candidate[0] = 1;     // row 0 and column 0 are no part of the line
  At(4, 0).candidate[0] = 1;
  std::string expected = Line();
  expected[1] = '.';
  expected[2] = '6';
  expected[9] = '.';
  EXPECT_EQ(PuzzleLine(), expected);
  ASSERT_TRUE(LoadTextPuzzle(PuzzleLine()));
  EXPECT_EQ(PuzzleLine(), expected);
}

}  // namespace
