#include "storage/HistoryFile.h"

#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <vector>

#include "board/History.h"
#include "storage/Bytes.h"
#include "storage/FileReplace.h"

namespace {

constexpr std::string_view kMagic = "TolvaHis";
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kChecksumSize = 8;
constexpr int kCells = kBoardSize * kBoardSize;
constexpr std::size_t kChangeSize = 4 + 4 * kCellFields;

constexpr std::string_view kStateFolder = "/tolva-sudoku";
constexpr std::string_view kHomeStateFolder = "/.local/state/tolva-sudoku";
constexpr std::string_view kFileName = "/history";

// A cell by its index 10 col + row, 0 to 99: the order of the ".sdk" file.
const Cell& CellAt(const Board& board, int index) {
  return board[static_cast<std::size_t>(index / kBoardSize)][static_cast<std::size_t>(index % kBoardSize)];
}
Cell& CellAt(Board& board, int index) {
  return board[static_cast<std::size_t>(index / kBoardSize)][static_cast<std::size_t>(index % kBoardSize)];
}

void AppendWord(std::string& bytes, std::uint32_t value) { AppendLittleEndian(bytes, value, 4); }

void AppendCell(std::string& bytes, const Cell& cell) {
  std::array<char, 4 * kCellFields> fields{};
  for (std::size_t digit = 0; digit < cell.candidate.size(); ++digit)
    PutLittleEndian(&fields[4 * digit], static_cast<std::uint32_t>(cell.candidate[digit]), 4);
  PutLittleEndian(&fields[4 * cell.candidate.size()], static_cast<std::uint32_t>(cell.locked), 4);
  bytes.append(fields.data(), fields.size());
}

std::size_t ChangedCells(const Board& previous, const Board& board) {
  std::size_t changed = 0;
  for (int index = 0; index < kCells; ++index) changed += CellAt(board, index) == CellAt(previous, index) ? 0u : 1u;
  return changed;
}

void AppendChanges(std::string& bytes, const Board& previous, const Board& board) {
  const std::size_t countAt = bytes.size();
  AppendWord(bytes, 0);
  std::uint32_t changed = 0;
  for (int index = 0; index < kCells; ++index) {
    if (CellAt(board, index) == CellAt(previous, index)) continue;
    AppendWord(bytes, static_cast<std::uint32_t>(index));
    AppendCell(bytes, CellAt(board, index));
    ++changed;
  }
  PutLittleEndian(&bytes[countAt], changed, 4);
}

// Reads the file's words in order; every read is checked against the end.
struct Reader {
  std::string_view bytes;
  std::size_t at = 0;

  bool Has(std::size_t count) const { return bytes.size() - at >= count; }
  std::uint32_t Word() {
    const auto value = static_cast<std::uint32_t>(ReadLittleEndian(bytes, at, 4));
    at += 4;
    return value;
  }
  void ReadCell(Cell& cell) {
    for (std::int32_t& field : cell.candidate) field = static_cast<std::int32_t>(Word());
    cell.locked = static_cast<std::int32_t>(Word());
  }
  // Applies one change list to board; false when it is not valid.
  bool ReadChanges(Board& board) {
    if (!Has(4)) return false;
    const std::uint32_t changed = Word();
    if (changed > kCells || !Has(changed * kChangeSize)) return false;
    std::int64_t previousIndex = -1;
    for (std::uint32_t change = 0; change < changed; ++change) {
      const std::uint32_t index = Word();
      if (index >= kCells || index <= previousIndex) return false;
      Cell cell;
      ReadCell(cell);
      Cell& target = CellAt(board, static_cast<int>(index));
      if (cell == target) return false;
      target = cell;
      previousIndex = index;
    }
    return true;
  }
};

// The value of an environment variable when it is an absolute path.
std::string AbsolutePathIn(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// The history file's path ("" when unknown) and the length of its start that
// names a folder the program never makes (HOME).
struct Location {
  std::string path;
  std::size_t existing = 0;
};

Location HistoryLocation() {
  const std::string state = AbsolutePathIn("XDG_STATE_HOME");
  if (!state.empty()) return {state + std::string(kStateFolder) + std::string(kFileName), 0};
  const std::string home = AbsolutePathIn("HOME");
  if (!home.empty()) return {home + std::string(kHomeStateFolder) + std::string(kFileName), home.size()};
  return {};
}

// Makes each missing folder of the location's path, mode 0700.
void MakeFolders(const Location& location) {
  const std::string& path = location.path;
  for (std::size_t slash = path.find('/', location.existing + 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    ::mkdir(path.substr(0, slash).c_str(), 0700);
}

}  // namespace

std::string HistoryFilePath() { return HistoryLocation().path; }

std::uint64_t HistoryChecksum(std::string_view bytes) {
  const auto mix = [](std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
    return hash ^ (hash >> 32);
  };
  std::uint64_t hash = 0x9E3779B97F4A7C15u ^ bytes.size();
  std::size_t at = 0;
  for (; bytes.size() - at >= 8; at += 8) hash = mix(hash, ReadLittleEndian(bytes, at, 8));
  if (at < bytes.size()) hash = mix(hash, ReadLittleEndian(bytes, at, bytes.size() - at));
  return hash;
}

std::string HistoryBytes(const Board& atExit) {
  // The boards in time order.
  std::vector<const Board*> boards;
  boards.reserve(gUndoSteps.size() + 1 + gRedoSteps.size());
  for (const Board& step : gUndoSteps) boards.push_back(&step);
  boards.push_back(&atExit);
  for (auto step = gRedoSteps.rbegin(); step != gRedoSteps.rend(); ++step) boards.push_back(&*step);

  // Sized first, so that the bytes are placed once.
  std::size_t size = kHistoryFileMinSize;
  for (std::size_t board = 1; board < boards.size(); ++board)
    size += 4 + kChangeSize * ChangedCells(*boards[board - 1], *boards[board]);
  std::string bytes;
  bytes.reserve(size);
  bytes.append(kMagic);
  AppendWord(bytes, kVersion);
  AppendWord(bytes, static_cast<std::uint32_t>(UndoSteps()));
  AppendWord(bytes, static_cast<std::uint32_t>(RedoSteps()));
  for (int index = 0; index < kCells; ++index) AppendCell(bytes, CellAt(*boards.front(), index));
  for (std::size_t board = 1; board < boards.size(); ++board) AppendChanges(bytes, *boards[board - 1], *boards[board]);
  const std::uint64_t checksum = HistoryChecksum(bytes);
  AppendWord(bytes, static_cast<std::uint32_t>(checksum));
  AppendWord(bytes, static_cast<std::uint32_t>(checksum >> 32));
  return bytes;
}

bool LoadHistoryBytes(std::string_view bytes, Board& atExit) {
  if (bytes.size() < kHistoryFileMinSize || bytes.size() > kHistoryFileMaxSize) return false;
  const std::string_view covered = bytes.substr(0, bytes.size() - kChecksumSize);
  Reader reader{covered, kMagic.size()};
  if (!bytes.starts_with(kMagic) || reader.Word() != kVersion) return false;
  const std::uint32_t undoSteps = reader.Word();
  const std::uint32_t redoSteps = reader.Word();
  if (undoSteps > kHistoryLimit || redoSteps > kHistoryLimit - undoSteps) return false;
  if (HistoryChecksum(covered) != ReadLittleEndian(bytes, covered.size(), kChecksumSize)) return false;

  std::deque<Board> undo;
  std::deque<Board> redo;
  Board exitBoard{};
  Board board{};
  for (int index = 0; index < kCells; ++index) reader.ReadCell(CellAt(board, index));
  for (std::uint32_t step = 0; step <= undoSteps + redoSteps; ++step) {
    if (step > 0 && !reader.ReadChanges(board)) return false;
    if (step < undoSteps) undo.push_back(board);
    else if (step == undoSteps) exitBoard = board;
    else redo.push_front(board);
  }
  if (reader.at != covered.size()) return false;

  gUndoSteps.swap(undo);
  gRedoSteps.swap(redo);
  atExit = exitBoard;
  return true;
}

void AppendBoardChanges(std::string& bytes, const Board& previous, const Board& board) {
  AppendChanges(bytes, previous, board);
}

bool ReadBoardChanges(std::string_view bytes, std::size_t& at, Board& board) {
  Reader reader{bytes, at};
  if (!reader.ReadChanges(board)) return false;
  at = reader.at;
  return true;
}

bool MakeHistoryFolders() {
  const Location location = HistoryLocation();
  if (location.path.empty()) return false;
  MakeFolders(location);
  return true;
}

std::uint64_t HistoryBytesChecksum(std::string_view bytes) {
  return bytes.size() < kChecksumSize ? 0 : ReadLittleEndian(bytes, bytes.size() - kChecksumSize, kChecksumSize);
}

bool WriteHistoryFile(std::string_view bytes) {
  return MakeHistoryFolders() && ReplaceFileWhole(HistoryFilePath(), bytes);
}

bool IsOfANewerVersion(std::string_view bytes, std::string_view magic, std::uint32_t version) {
  return bytes.size() >= magic.size() + 4 && bytes.starts_with(magic) &&
         ReadLittleEndian(bytes, magic.size(), 4) > version;
}

bool IsNewerHistoryFile(std::string_view bytes) { return IsOfANewerVersion(bytes, kMagic, kVersion); }
