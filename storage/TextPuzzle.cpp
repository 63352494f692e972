#include "storage/TextPuzzle.h"

#include <vector>

#include "board/Board.h"
#include "board/CandidateQueries.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kLineCells = 81;
constexpr int kRowCells = 9;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

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

// The lines of text, each without its line end and surrounding blanks.
std::vector<std::string_view> TrimmedLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(Trimmed(text.substr(0, end)));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

// A line of 81 cells without blanks into digits.
bool ReadCellLine(std::string_view line, PuzzleDigits& digits) {
  if (line.size() != kLineCells) return false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    digits[i] = CellDigit(line[i]);
    if (digits[i] < 0) return false;
  }
  return true;
}

// A row of nine cells, blanks anywhere between them, '|' only at the edges of
// the boxes (once each), into digits from first on.
bool ReadRow(std::string_view line, PuzzleDigits& digits, std::size_t first) {
  int cells = 0;
  int barAt = -1;  // the cell count at the last '|'
  for (char c : line) {
    if (IsBlank(c)) continue;
    if (c == '|') {
      if (cells % 3 != 0 || barAt == cells) return false;
      barAt = cells;
      continue;
    }
    const int digit = CellDigit(c);
    if (digit < 0 || cells == kRowCells) return false;
    digits[first + static_cast<std::size_t>(cells++)] = digit;
  }
  return cells == kRowCells;
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

// Nine rows, with at most one rule or empty line at the top, between the
// bands and at the bottom.
bool ReadGrid(const std::vector<std::string_view>& lines, std::size_t begin, std::size_t end,
              PuzzleDigits& digits) {
  std::size_t rows = 0;
  bool ruleBefore = false;
  for (std::size_t i = begin; i < end; ++i) {
    if (rows < kRowCells && ReadRow(lines[i], digits, rows * kRowCells)) {
      ++rows;
      ruleBefore = false;
    } else if ((lines[i].empty() || IsRule(lines[i])) && rows % 3 == 0 && !ruleBefore) {
      ruleBefore = true;
    } else {
      return false;
    }
  }
  return rows == kRowCells;
}

}  // namespace

bool ReadTextPuzzle(std::string_view text, PuzzleDigits& digits) {
  const bool longer = text.size() > kTextPuzzleLimit;
  if (longer) {
    // Only the lines that end within the limit count.
    text = text.substr(0, kTextPuzzleLimit);
    const std::size_t lastEnd = text.rfind('\n');
    text = lastEnd == std::string_view::npos ? std::string_view() : text.substr(0, lastEnd + 1);
  }
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  const std::vector<std::string_view> lines = TrimmedLines(text);

  // Header lines and empty lines before the puzzle, empty lines after it.
  std::size_t begin = 0, end = lines.size();
  while (begin < end && (lines[begin].empty() || lines[begin].front() == '#')) ++begin;
  while (end > begin && lines[end - 1].empty()) --end;
  if (begin == end) return false;

  if (ReadCellLine(lines[begin], digits)) {
    PuzzleDigits further{};
    for (std::size_t i = begin + 1; i < end; ++i)
      if (!ReadCellLine(lines[i], further)) return false;
    return true;
  }
  return !longer && ReadGrid(lines, begin, end, digits);
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
