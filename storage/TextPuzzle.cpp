#include "storage/TextPuzzle.h"

#include <algorithm>
#include <vector>

#include "board/Board.h"
#include "board/CandidateQueries.h"
#include "storage/PlainText.h"

namespace {

constexpr int kLineCells = 81;
constexpr int kRowCells = 9;
constexpr std::size_t kLongestLabel = 24;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The digit of a cell character: 1 to 9 for a given, 0 for an empty cell,
// -1 for a character that is no cell.
int CellDigit(char c) {
  if (c >= '1' && c <= '9') return c - '0';
  if (c == '0' || c == '.' || c == '*' || c == '-' || c == '_') return 0;
  return -1;
}

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

// Cells separated by tabs, as a spreadsheet or a web page's table gives
// them: exactly count fields, each blanks (an empty cell) or one cell
// character between blanks; into digits from first on.
bool ReadTabFields(std::string_view line, int count, PuzzleDigits& digits, std::size_t first) {
  int fields = 0;
  for (;;) {
    const std::size_t tab = line.find('\t');
    const std::string_view field = Trimmed(line.substr(0, tab));
    if (fields == count || field.size() > 1) return false;
    const int digit = field.empty() ? 0 : CellDigit(field.front());
    if (digit < 0) return false;
    digits[first + static_cast<std::size_t>(fields++)] = digit;
    if (tab == std::string_view::npos) return fields == count;
    line.remove_prefix(tab + 1);
  }
}

// "Puzzle:", "R\xE4tsel 2:": a few words of letters (also those of UTF-8 or
// Windows-1252 beyond ASCII) and digits, the first beginning with a letter,
// ending in ':'. Returns what follows the label, or the line itself when it
// has none.
std::string_view AfterLabel(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > kLongestLabel) return line;
  const auto isLetter = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
  };
  if (!isLetter(line.front())) return line;
  for (char c : line.substr(0, colon))
    if (!isLetter(c) && !(c >= '0' && c <= '9') && c != ' ') return line;
  return line.substr(colon + 1);
}

// A line of 81 cells, without blanks between them and after an optional
// label, or 81 fields between tabs.
bool ReadCellLine(std::string_view line, PuzzleDigits& digits) {
  if (ReadTabFields(line, kLineCells, digits, 0)) return true;
  line = Trimmed(AfterLabel(Trimmed(line)));
  if (line.size() != kLineCells) return false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    digits[i] = CellDigit(line[i]);
    if (digits[i] < 0) return false;
  }
  return true;
}

// A row of nine cells, blanks anywhere between them, '|' only at the edges of
// the boxes (once each); or nine fields between tabs. Into digits from first
// on.
bool ReadRow(std::string_view line, PuzzleDigits& digits, std::size_t first) {
  int cells = 0;
  int barAt = -1;  // the cell count at the last '|'
  for (char c : line) {
    if (IsBlank(c)) continue;
    if (c == '|') {
      if (cells % 3 != 0 || barAt == cells) return ReadTabFields(line, kRowCells, digits, first);
      barAt = cells;
      continue;
    }
    const int digit = CellDigit(c);
    if (digit < 0 || cells == kRowCells) return ReadTabFields(line, kRowCells, digits, first);
    digits[first + static_cast<std::size_t>(cells++)] = digit;
  }
  return cells == kRowCells || ReadTabFields(line, kRowCells, digits, first);
}

// Blanks alone; a row of nine empty cells between tabs is a row, not empty.
bool IsEmptyLine(std::string_view line) {
  PuzzleDigits unused{};
  return Trimmed(line).empty() && !ReadTabFields(line, kRowCells, unused, 0);
}

// A line between bands or around the grid: '-' with '+', '|' or '*' and
// blanks ("---+---+---", "|---+---+---|", "*-----------*", "------+-------+------").
bool IsRule(std::string_view line) {
  bool dash = false;
  for (char c : line) {
    if (c == '-')
      dash = true;
    else if (c != '+' && c != '|' && c != '*' && !IsBlank(c))
      return false;
  }
  return dash;
}

// A line before a puzzle that names it: '#' and '%' lines, or a label alone.
bool IsTitle(std::string_view line) {
  line = Trimmed(line);
  if (line.starts_with('#') || line.starts_with('%')) return true;
  return !line.empty() && AfterLabel(line).size() != line.size() && Trimmed(AfterLabel(line)).empty();
}

enum class Read {
  kWhole,  // a whole puzzle
  kCut,    // the lines ran out in the middle of one
  kNone,   // something else
};

// Reads the puzzles of lines from a position on.
class PuzzleReader {
 public:
  // With wordsAfterLine, a line of 81 cells may carry words after it (a
  // collection's rating or name, the further fields of a table).
  explicit PuzzleReader(const std::vector<std::string_view>& lines, bool wordsAfterLine = false)
      : lines_(lines), wordsAfterLine_(wordsAfterLine) {}

  bool AtEnd() const { return at_ == lines_.size(); }
  bool AtEmptyLine() const { return !AtEnd() && IsEmptyLine(lines_[at_]); }
  bool AtTitle() const { return !AtEnd() && IsTitle(lines_[at_]); }
  void Skip() { ++at_; }
  std::size_t At() const { return at_; }
  void MoveTo(std::size_t at) { at_ = at; }
  // Where the last puzzle began after its title lines.
  std::size_t ContentAt() const { return contentAt_; }

  // One puzzle after its title lines (and empty lines after them): a line
  // of cells or a grid.
  Read Puzzle(PuzzleDigits& digits, bool& grid) {
    while (AtTitle())
      for (++at_; AtEmptyLine();) ++at_;
    contentAt_ = at_;
    if (AtEnd()) return Read::kCut;
    grid = !ReadCellLine(lines_[at_], digits) && !(wordsAfterLine_ && ReadFirstWord(lines_[at_], digits));
    if (!grid) {
      ++at_;
      return Read::kWhole;
    }
    return Grid(digits);
  }

 private:
  // Nine rows, with at most one rule or empty line between the bands, and a
  // rule above and below.
  Read Grid(PuzzleDigits& digits) {
    std::size_t rows = 0;
    bool ruleBefore = false;
    for (; rows < kRowCells && !AtEnd(); ++at_) {
      const std::string_view line = lines_[at_];
      if (ReadRow(line, digits, rows * kRowCells)) {
        ++rows;
        ruleBefore = false;
      } else if (rows % 3 == 0 && !ruleBefore && (IsRule(line) || (rows > 0 && IsEmptyLine(line)))) {
        ruleBefore = true;
      } else {
        return Read::kNone;
      }
    }
    if (rows < kRowCells) return Read::kCut;
    if (!AtEnd() && IsRule(lines_[at_])) ++at_;
    return Read::kWhole;
  }

  // A line whose first word is a line of 81 cells, ended by a blank or by the
  // ',' or ';' of a table saved as text.
  static bool ReadFirstWord(std::string_view line, PuzzleDigits& digits) {
    line = Trimmed(line);
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end]) && line[end] != ',' && line[end] != ';') ++end;
    return end < line.size() && ReadCellLine(line.substr(0, end), digits);
  }

  const std::vector<std::string_view>& lines_;
  const bool wordsAfterLine_;
  std::size_t at_ = 0;
  std::size_t contentAt_ = 0;
};

}  // namespace

bool ReadTextPuzzle(std::string_view text, PuzzleDigits& digits) {
  const bool longer = text.size() > kTextPuzzleLimit;
  std::string plain = PlainText(text.substr(0, kTextPuzzleLimit));
  // Of a longer text, only the lines that end within the limit count.
  if (longer) plain.resize(plain.rfind('\n') == std::string::npos ? 0 : plain.rfind('\n') + 1);
  const std::vector<std::string_view> lines = Lines(plain);

  PuzzleReader reader(lines);
  while (reader.AtEmptyLine()) reader.Skip();
  bool grid = false;
  if (reader.Puzzle(digits, grid) != Read::kWhole) return false;
  // Further puzzles, a grid apart from its neighbours by an empty line or a
  // title; of a longer text the last one may be cut.
  for (;;) {
    bool apart = false;
    for (; reader.AtEmptyLine(); apart = true) reader.Skip();
    if (reader.AtEnd()) return true;
    bool nextGrid = false;
    PuzzleDigits further{};
    const bool titled = reader.AtTitle();
    const Read read = reader.Puzzle(further, nextGrid);
    if (read == Read::kNone || (read == Read::kCut && !longer)) return false;
    if ((grid || nextGrid) && !apart && !titled) return false;
    if (read == Read::kCut) return true;
    grid = nextGrid;
  }
}

void ForEachTextPuzzle(std::string_view text, const std::function<void(const TextPuzzleEntry&)>& visit) {
  const std::string plain = PlainText(text);
  const std::vector<std::string_view> lines = Lines(plain);
  PuzzleReader reader(lines, true);
  for (;;) {
    while (reader.AtEmptyLine()) reader.Skip();
    if (reader.AtEnd()) return;
    TextPuzzleEntry entry{};
    bool grid = false;
    entry.read = reader.Puzzle(entry.digits, grid) == Read::kWhole;
    const std::size_t content = std::min(reader.ContentAt(), lines.size() - 1);
    entry.line = content + 1;
    if (!entry.read) {
      entry.digits = {};
      // The rest of a broken grid goes with it, up to an empty line or a
      // title; any other line is told alone.
      PuzzleDigits unused{};
      const bool gridLine = IsRule(lines[content]) || ReadRow(lines[content], unused, 0);
      std::size_t next = content + 1;
      while (gridLine && next < lines.size() && !IsEmptyLine(lines[next]) && !IsTitle(lines[next])) ++next;
      reader.MoveTo(next);
      entry.lastLine = next;
    } else {
      entry.lastLine = reader.At();
    }
    visit(entry);
  }
}

void LoadPuzzleDigits(const PuzzleDigits& digits) {
  ClearBoard(gMainBoard);
  for (std::size_t row = 1; row <= 9; ++row)
    for (std::size_t col = 1; col <= 9; ++col) {
      const int digit = digits[9 * (row - 1) + col - 1];
      if (digit < 1 || digit > 9) continue;
      Cell& cell = gMainBoard[col][row];
      cell.candidate[static_cast<std::size_t>(digit - 1)] = 1;
      cell.locked = 1;
    }
}

bool LoadTextPuzzle(std::string_view text) {
  PuzzleDigits digits{};
  if (!ReadTextPuzzle(text, digits)) return false;
  LoadPuzzleDigits(digits);
  return true;
}

std::string PuzzleLine() {
  std::string line;
  line.reserve(kLineCells);
  for (std::size_t row = 1; row <= 9; ++row)
    for (std::size_t col = 1; col <= 9; ++col) {
      const int digit = FilledDigit(gMainBoard[col][row]);
      line += digit > 0 ? static_cast<char>('0' + digit) : '.';
    }
  return line;
}
