#include "storage/TextPuzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "storage/PuzzleFile.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempFolder.h"

namespace {

// A puzzle of our own, README's sample, of exactly one solution; off every
// diagonal: C1 holds 6, A3 is empty.
const std::string kRows[9] = {"..68...2.", ".5...47..", "..2....1.", "3..5....9", "82.......",
                              ".6..3...8", "...4.369.", "5........", ".19..5..."};

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

  // text (bytes read as Latin-1 characters) as UTF-16 after its byte order
// mark.
std::string Utf16(const std::string& text, bool bigEndian) {
  std::string units = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : text) units += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return units;
}

// The rows as " . 4 . | . . 2 | . . 7", rule between the bands.
std::string Spaced(const std::string& rule) {
  std::string text;
  for (std::size_t row = 0; row < 9; ++row) {
    if (row == 3 || row == 6) text += rule + "\n";
    for (std::size_t col = 0; col < 9; ++col) text += std::string(col % 3 == 0 && col > 0 ? " | " : " ") + kRows[row][col];
    text += "\n";
  }
  return text;
}

std::string WithoutLastLine(const std::string& text) { return text.substr(0, text.rfind('\n', text.size() - 2) + 1); }

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

// The Debian game "sudoku": its standard form (the default, also of its
// saved games, whose title line it ends with the player's title) and its
// compact form, each board after a '%' title line.
TEST_F(TextPuzzle, TitleLinesOfTheDebianGame) {
  const std::string standard = Spaced("-------+-------+-------");
  EXPECT_TRUE(LoadsTheSample("% randomly generated - medium\n" + standard));
  EXPECT_TRUE(LoadsTheSample("% randomly generated - hardMein Titel\n" + standard));
  EXPECT_TRUE(LoadsTheSample("% randomly generated - medium\n" + Grid()));
  // Several boards: one after the other (standard) or after an empty line
  // (compact); the first opens.
  std::string other = standard;
  std::replace(other.begin(), other.end(), '.', '5');
  EXPECT_TRUE(LoadsTheSample("% eins\n" + standard + "% zwei\n" + other));
  EXPECT_TRUE(LoadsTheSample("% eins\n" + Grid() + "\n% zwei\n" + Grid()));

  EXPECT_TRUE(IsNoPuzzle("% randomly generated - medium\n"));
  EXPECT_TRUE(IsNoPuzzle("% eins\n" + standard + "% zwei\n"));
  EXPECT_TRUE(IsNoPuzzle("% eins\n" + standard + "% zwei\n" + WithoutLastLine(standard)));
  EXPECT_TRUE(IsNoPuzzle(Grid().substr(0, 30) + "% mitten\n" + Grid().substr(30)));
}

// qqwing's --solution: the puzzle, then its solution, as grids (readable,
// compact) or lines; and the same under labels.
TEST_F(TextPuzzle, APuzzleThenItsSolution) {
  const std::string readable = Spaced("-------|-------|-------");
  std::string solution = readable;
  std::replace(solution.begin(), solution.end(), '.', '8');
  EXPECT_TRUE(LoadsTheSample(readable + "\n" + solution + "\n"));
  EXPECT_TRUE(LoadsTheSample(Grid() + "\n" + Grid() + "\n" + Grid() + "\n"));
  EXPECT_TRUE(LoadsTheSample("Puzzle: " + Line() + "\nSolution: " + std::string(81, '7') + "\n"));
  EXPECT_TRUE(LoadsTheSample("R\xC3\xA4tsel:\n" + Grid() + "\nL\xC3\xB6sung:\n" + solution));

  EXPECT_TRUE(IsNoPuzzle(readable + solution)) << "a grid right after a grid";
  EXPECT_TRUE(IsNoPuzzle(readable + "\n" + WithoutLastLine(solution)));
  EXPECT_TRUE(IsNoPuzzle(readable + "\n" + solution + "\nEnde\n"));
  EXPECT_TRUE(IsNoPuzzle(Line() + "\n" + Grid()));
}

// A short label before a line, in UTF-8 or Windows-1252.
TEST_F(TextPuzzle, ALabelBeforeTheLine) {
  for (const std::string label : {"Puzzle:", "R\xC3\xA4tsel:", "R\xE4tsel:", "  R\xC3\xA4tsel 12:", "Sudoku Puzzle 3 :"})
    EXPECT_TRUE(LoadsTheSample(label + " " + Line() + "\n")) << label;
  EXPECT_TRUE(LoadsTheSample("Puzzle:" + Line()));

  for (const std::string label : {"1. Puzzle:", "Puzzle, schwer:", "Ein sehr langes Etikett davor:", ":", "Puzzle: x"})
    EXPECT_TRUE(IsNoPuzzle(label + " " + Line())) << label;
}

// Tables copied from a spreadsheet or a web page: a tab between each two
// cells, an empty cell empty (or blanks, also no-break spaces); and digits
// apart by no-break spaces.
TEST_F(TextPuzzle, SpreadsheetAndWebTables) {
  const auto table = [](const std::string& empty, const std::string& around) {
    return Grid("\n", [&](char c, std::size_t i) {
      return std::string(i > 0 ? "\t" : "") + (c == '.' ? empty : around + c + around);
    });
  };
  EXPECT_TRUE(LoadsTheSample(table("", "")));
  EXPECT_TRUE(LoadsTheSample(table("\xC2\xA0\xC2\xA0\xC2\xA0", "\xC2\xA0")));  // a browser's copy of &nbsp; cells
  EXPECT_TRUE(LoadsTheSample(table(" ", "")));
  EXPECT_TRUE(LoadsTheSample(Grid("\n", [](char c, std::size_t) { return std::string(1, c) + "\xC2\xA0"; })));
  EXPECT_TRUE(LoadsTheSample(Grid("\r\n", [](char c, std::size_t) { return std::string(1, c) + "\xA0"; })));
  std::string tabbedLine;
  for (std::size_t i = 0; i < 81; ++i) tabbedLine += std::string(i > 0 ? "\t" : "") + (Line()[i] == '.' ? "" : Line().substr(i, 1));
  EXPECT_TRUE(LoadsTheSample(tabbedLine + "\n"));

  // A first row of empty cells is a row, not an empty line.
  const std::string emptyFirst = "\t\t\t\t\t\t\t\t\n" + table("", "").substr(table("", "").find('\n') + 1);
  PuzzleDigits digits{};
  ASSERT_TRUE(ReadTextPuzzle(emptyFirst, digits));
  EXPECT_EQ(digits[2], 0) << "C1, a given, is empty in the empty first row";
  EXPECT_EQ(digits[10], 5);

  std::string twoInOne = table("", "");
  twoInOne.replace(twoInOne.find('4'), 1, "45");
  EXPECT_TRUE(IsNoPuzzle(twoInOne));
  std::string tenFields = table("", "");
  tenFields.insert(tenFields.find('\n'), "\t");
  EXPECT_TRUE(IsNoPuzzle(tenFields));
  EXPECT_TRUE(IsNoPuzzle("\t" + table("", "")));
}

// Line ends of CR alone, and UTF-16 text with its byte order mark, as
// Windows editors save it.
TEST_F(TextPuzzle, LineEndsAndEncodings) {
  EXPECT_TRUE(LoadsTheSample(Grid("\r")));
  EXPECT_TRUE(LoadsTheSample("#Aalt\r" + Line() + "\r"));
  EXPECT_TRUE(LoadsTheSample(Utf16(Grid("\r\n"), false)));
  EXPECT_TRUE(LoadsTheSample(Utf16(Line() + "\r\n", true)));
  EXPECT_TRUE(LoadsTheSample(Utf16("Puzzle:\xA0" + Line(), false))) << "U+00A0 is a blank";
  EXPECT_TRUE(IsNoPuzzle(Utf16(Line(), false) + "\x3D\xD8")) << "a lone surrogate";
  EXPECT_TRUE(IsNoPuzzle(Utf16(Line(), false) + "5")) << "an odd byte at the end";
}

// A collection of grids longer than the limit: the first opens, and the last
// one may be cut; what ends within the limit must be puzzles.
TEST_F(TextPuzzle, ALongCollectionOfGrids) {
  std::string collection;
  for (int i = 0; collection.size() < 2 * kTextPuzzleLimit; ++i) collection += "% Nummer " + std::to_string(i) + "\n" + Grid();
  EXPECT_TRUE(LoadsTheSample(collection));
  EXPECT_TRUE(IsNoPuzzle(collection.substr(0, kTextPuzzleLimit - 40))) << "a short text has no cut grid";
  std::string spoiled = collection;
  spoiled[collection.rfind('%', kTextPuzzleLimit - 300)] = 'x';
  EXPECT_TRUE(IsNoPuzzle(spoiled));
}

// A collection read whole: every puzzle in turn, in its own form, and every
// stretch that is none with its lines; a broken grid is one stretch.
TEST_F(TextPuzzle, EveryPuzzleOfACollectionInTurn) {
  std::string reversed = Line();
  std::reverse(reversed.begin(), reversed.end());
  const std::string text = "# Sammlung\n" + Line() + " 5.0\nkein R\xE4tsel\nR\xE4tsel 2:\n" + Grid() + "\n" + kRows[0] +
                           "\n" + kRows[1] + "\n" + kRows[2] + "\n..6x8..2.\n" + kRows[4] + "\n\n" + reversed +
                           ";9.3\r\n";
  struct Seen {
    std::size_t line, lastLine;
    bool read;
    std::string cells;
  };
  std::vector<Seen> seen;
  ForEachTextPuzzle(text, [&](const TextPuzzleEntry& entry) {
    std::string cells;
    for (int digit : entry.digits) cells += digit == 0 ? '.' : static_cast<char>('0' + digit);
    seen.push_back({entry.line, entry.lastLine, entry.read, entry.read ? cells : ""});
  });
  ASSERT_EQ(seen.size(), 5u);
  const Seen expected[5] = {{2, 2, true, Line()}, {3, 3, false, ""}, {5, 13, true, Line()}, {15, 19, false, ""},
                            {21, 21, true, reversed}};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(seen[i].line, expected[i].line) << i;
    EXPECT_EQ(seen[i].lastLine, expected[i].lastLine) << i;
    EXPECT_EQ(seen[i].read, expected[i].read) << i;
    EXPECT_EQ(seen[i].cells, expected[i].cells) << i;
  }
}

TEST_F(TextPuzzle, FilesTellDumpsFromText) {
  const std::string path = folder.Path("p.sdk");
  const auto write = [&](const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; };

  write("#AJemand\n" + Grid());
  EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kText);
  EXPECT_EQ(gMainBoard, Expected());
  write(Utf16(Line(), false));
  EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kText) << "UTF-16 text has zero bytes, and is text all the same";
  EXPECT_EQ(gMainBoard, Expected());

  // Exactly 4000 bytes, or a zero byte anywhere: a board dump, whatever it reads as.
  const std::string fourThousand = Line() + std::string(4000 - 81, '\n');
  write(fourThousand);
  EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kDump);
  EXPECT_EQ(PuzzleBytes(), fourThousand);
  const std::string utf16FourThousand = Utf16(Line() + std::string(2000 - 82, '\n'), false);
  write(utf16FourThousand);
  EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kDump);
  EXPECT_EQ(PuzzleBytes(), utf16FourThousand);
  const std::string withZero = Line() + std::string(1, '\0');
  write(withZero);
  EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kDump);
  EXPECT_EQ(PuzzleBytes(), withZero + std::string(4000 - withZero.size(), '\0'));

  // A truncated dump of a board with givens stays a dump.
  LoadPuzzleDigits([] { PuzzleDigits d{}; d[1] = 4; d[80] = 9; return d; }());
  const std::string dump = PuzzleBytes();
  write(dump.substr(0, 1500));
  ClearBoard(gMainBoard);
  EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kDump);
  EXPECT_EQ(PuzzleBytes(), dump.substr(0, 1500) + std::string(2500, '\0'));

  // Text that is no puzzle loads as before: its bytes as a dump.
  for (const std::string& text : {std::string("1234\n"), Utf16("1234\n", true), std::string()}) {
    write(text);
    EXPECT_EQ(LoadPuzzle(path), PuzzleFound::kOther);
    EXPECT_EQ(PuzzleBytes(), text + std::string(4000 - text.size(), '\0'));
  }
  EXPECT_EQ(LoadPuzzle(folder.Path("none.sdk")), PuzzleFound::kNothing);
  EXPECT_EQ(PuzzleBytes(), std::string(4000, '\0'));
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
  SetCandidates(1, 1, "7");      // entered, not locked: filled all the same
  SetCandidates(3, 1, "45");     // undecided
  At(2, 2).candidate[4] = 2;     // a flag other than 1 counts as not set
  At(0, 1).candidate[0] = 1;     // row 0 and column 0 are no part of the line
  At(4, 0).candidate[0] = 1;
  std::string expected = Line();
  expected[0] = '7';
  expected[2] = '.';
  expected[10] = '.';
  EXPECT_EQ(PuzzleLine(), expected);
  ASSERT_TRUE(LoadTextPuzzle(PuzzleLine()));
  EXPECT_EQ(PuzzleLine(), expected);
}

}  // namespace
