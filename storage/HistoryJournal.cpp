#include "storage/HistoryJournal.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "board/History.h"
#include "storage/FileReplace.h"
#include "storage/HistoryFile.h"

namespace {

constexpr std::string_view kMagic = "TolvaJnl";
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kChange = 1;
constexpr std::uint32_t kUndo = 2;
constexpr std::uint32_t kRedo = 3;
constexpr std::size_t kChainSize = 8;
constexpr std::uint32_t kMaxListsSize = static_cast<std::uint32_t>(kJournalRecordMaxSize - 16);

std::uint64_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

void PutBytes(char* out, std::uint64_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendBytes(std::string& bytes, std::uint64_t value, std::size_t count) {
  char word[8];
  PutBytes(word, value, count);
  bytes.append(word, count);
}

// Forces the journal's records, and the folder after a new journal was put
// in place, to the disk, off the passes that write them. It keeps a copy of
// the journal's descriptor of its own, so the journal can be replaced while
// it syncs.
struct Syncer {
  std::mutex mutex;
  std::condition_variable wake;
  std::thread thread;
  int handed = -1;  // a new journal's descriptor, not yet taken
  std::string folder;
  bool dataDue = false;
  bool folderDue = false;
  bool stop = false;

  void Run() {
    int fd = -1;
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [this] { return stop || dataDue || folderDue || handed >= 0; });
      if (handed >= 0) {
        if (fd >= 0) ::close(fd);
        fd = std::exchange(handed, -1);
      }
      const bool data = std::exchange(dataDue, false);
      const bool syncFolder = std::exchange(folderDue, false);
      const std::string path = folder;
      lock.unlock();
      if (data && fd >= 0) ::fdatasync(fd);
      if (syncFolder) {
        const int folderFd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd >= 0) {
          ::fsync(folderFd);
          ::close(folderFd);
        }
      }
      lock.lock();
      if (stop && !dataDue && !folderDue && handed < 0) break;
    }
    if (fd >= 0) ::close(fd);
  }

  void Hand(int fd, std::string folderPath) {
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    std::lock_guard lock(mutex);
    if (!thread.joinable()) thread = std::thread([this] { Run(); });
    if (handed >= 0) ::close(handed);
    handed = copy;
    folder = std::move(folderPath);
    folderDue = true;
    wake.notify_one();
  }

  void Due() {
    std::lock_guard lock(mutex);
    dataDue = true;
    wake.notify_one();
  }

  void Stop() {
    {
      std::lock_guard lock(mutex);
      if (!thread.joinable()) return;
      stop = true;
      wake.notify_one();
    }
    thread.join();
    std::lock_guard lock(mutex);
    stop = false;
    thread = std::thread();
  }

  ~Syncer() { Stop(); }
};

struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  bool known = false;
};

FileId IdOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {info.st_dev, info.st_ino, true};
}

bool Same(const FileId& a, const FileId& b) { return a.known && b.known && a.device == b.device && a.inode == b.inode; }

// What the start-up found on the disk.
struct Found {
  bool baseLoaded = false;
  std::uint64_t base = 0;
  int records = 0;
};

// The journal being written: its descriptor, its length, the checksum its
// next record chains from, the main board its records have reached, and
// which files it and its base are, to tell when another copy replaced them.
struct Journal {
  bool recording = false;
  int fd = -1;
  std::size_t size = 0;
  std::uint64_t chain = 0;
  Board board{};
  std::string path;
  std::string basePath;
  FileId id;
  FileId baseId;
  int written = 0;
  int pauseAt = 0;  // TOLVA_JOURNAL_PAUSE_AT: see WriteRecord
};

Found gFound;
Journal gJournal;
Syncer gSyncer;

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

void CloseJournal() {
  if (gJournal.fd >= 0) ::close(gJournal.fd);
  gJournal.fd = -1;
}

bool WriteAll(int fd, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = ::write(fd, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

// Writes one record. The end-to-end tests stop the program inside this write:
// with TOLVA_JOURNAL_PAUSE_AT=n the n-th record of the run is written in two
// halves with the program stopped (SIGSTOP) between them, where a test kills
// it. A program that is continued instead writes the rest as usual.
bool WriteRecord(const char* bytes, std::size_t count) {
  if (++gJournal.written == gJournal.pauseAt) {
    const std::size_t half = count / 2;
    if (!WriteAll(gJournal.fd, bytes, half)) return false;
    ::raise(SIGSTOP);
    return WriteAll(gJournal.fd, bytes + half, count - half);
  }
  return WriteAll(gJournal.fd, bytes, count);
}

// The base and the journal are still the ones this program put there.
bool StillOwn() { return Same(IdOf(gJournal.path), gJournal.id) && Same(IdOf(gJournal.basePath), gJournal.baseId); }

// A new empty journal naming the base with checksum base, put in place.
bool PlaceJournal(std::uint64_t base, const Board& board) {
  CloseJournal();
  gJournal.fd = PlaceFileKeptOpen(gJournal.path, JournalHeader(base));
  if (gJournal.fd < 0) return false;
  gJournal.size = kJournalHeaderSize;
  gJournal.chain = base;
  gJournal.board = board;
  gJournal.id = IdOf(gJournal.path);
  gJournal.baseId = IdOf(gJournal.basePath);
  gSyncer.Hand(gJournal.fd, FolderOf(gJournal.path));
  return true;
}

void Record(std::uint32_t kind, const Board& before) {
  if (!gJournal.recording) return;
  // Room for the chain's checksum in front, which the checksum covers but
  // the file does not hold.
  std::string record(kChainSize, '\0');
  PutBytes(record.data(), gJournal.chain, kChainSize);
  AppendBytes(record, kind, 4);
  AppendBytes(record, 0, 4);
  AppendBoardChanges(record, gJournal.board, before);
  if (kind == kChange) AppendBoardChanges(record, before, gMainBoard);
  PutBytes(&record[kChainSize + 4], record.size() - kChainSize - 8, 4);
  const std::uint64_t checksum = HistoryChecksum(record);
  AppendBytes(record, checksum, 8);
  const std::size_t length = record.size() - kChainSize;

  if (gJournal.size + length > kJournalMaxSize || !StillOwn() || !WriteRecord(record.data() + kChainSize, length)) {
    // A compaction holds this record's change; a journal that could not be
    // written is given up.
    if (!CompactHistory(gMainBoard)) StopJournal(false);
    return;
  }
  gJournal.size += length;
  gJournal.chain = checksum;
  gJournal.board = gMainBoard;
  gSyncer.Due();
}

}  // namespace

std::string JournalFilePath() {
  const std::string path = HistoryFilePath();
  return path.empty() ? path : path + ".journal";
}

std::string JournalHeader(std::uint64_t base) {
  std::string bytes(kMagic);
  AppendBytes(bytes, kVersion, 4);
  AppendBytes(bytes, base, 8);
  return bytes;
}

int ReplayJournalBytes(std::string_view bytes, std::uint64_t base, Board& board) {
  if (bytes.size() < kJournalHeaderSize || !bytes.starts_with(kMagic) || LittleEndian(bytes, 8, 4) != kVersion ||
      LittleEndian(bytes, 12, 8) != base)
    return -1;
  std::uint64_t chain = base;
  std::size_t at = kJournalHeaderSize;
  int applied = 0;
  std::string sealed;
  while (bytes.size() - at >= 16) {
    const auto kind = static_cast<std::uint32_t>(LittleEndian(bytes, at, 4));
    const auto length = static_cast<std::uint32_t>(LittleEndian(bytes, at + 4, 4));
    if (length > kMaxListsSize || bytes.size() - at - 16 < length) break;
    const std::string_view record = bytes.substr(at, 8 + std::size_t{length});
    sealed.assign(kChainSize, '\0');
    PutBytes(sealed.data(), chain, kChainSize);
    sealed.append(record);
    const std::uint64_t checksum = HistoryChecksum(sealed);
    if (checksum != LittleEndian(bytes, at + record.size(), 8)) break;

    Board before = board;
    std::size_t read = 8;
    if (!ReadBoardChanges(record, read, before)) break;
    Board after = before;
    if (kind == kChange && (!ReadBoardChanges(record, read, after) || after == before)) break;
    if (read != record.size()) break;
    if (kind == kChange) {
      gUndoSteps.push_back(before);
      if (UndoSteps() > kHistoryLimit) gUndoSteps.pop_front();
      gRedoSteps.clear();
      board = after;
    } else if (kind == kUndo || kind == kRedo) {
      std::deque<Board>& from = kind == kUndo ? gUndoSteps : gRedoSteps;
      std::deque<Board>& to = kind == kUndo ? gRedoSteps : gUndoSteps;
      if (from.empty()) break;
      to.push_back(before);
      board = from.back();
      from.pop_back();
    } else {
      break;
    }
    chain = checksum;
    at += record.size() + 8;
    ++applied;
  }
  return applied;
}

void ContinueFromJournal(bool baseLoaded, std::uint64_t base, Board& board) {
  gFound = {baseLoaded, base, 0};
  if (!baseLoaded) return;
  std::string bytes;
  if (ReadFileStart(JournalFilePath(), kJournalMaxSize, bytes))
    gFound.records = std::max(ReplayJournalBytes(bytes, base, board), 0);
}

void StartJournal(const Board& board) {
  StopJournal(false);
  gJournal = Journal{};
  gJournal.path = JournalFilePath();
  gJournal.basePath = HistoryFilePath();
  if (gJournal.path.empty() || !MakeHistoryFolders()) return;
  RemoveStaleTemporaries(FolderOf(gJournal.path));
  if (const char* pause = std::getenv("TOLVA_JOURNAL_PAUSE_AT")) gJournal.pauseAt = std::atoi(pause);
  gJournal.board = board;
  gJournal.recording = true;
  const bool placed = !gFound.baseLoaded || gFound.records > 0 ? CompactHistory(board)
                                                               : PlaceJournal(gFound.base, board);
  if (!placed) StopJournal(false);
}

bool CompactHistory(const Board& board) {
  const std::string bytes = HistoryBytes(board);
  if (!WriteHistoryFile(bytes)) return false;
  return !gJournal.recording || PlaceJournal(HistoryBytesChecksum(bytes), board);
}

void StopJournal(bool removeFile) {
  if (removeFile && gJournal.fd >= 0 && Same(IdOf(gJournal.path), gJournal.id)) ::unlink(gJournal.path.c_str());
  CloseJournal();
  gJournal.recording = false;
  gSyncer.Stop();
}

bool JournalOpen() { return gJournal.recording; }

void JournalChange(const Board& before) { Record(kChange, before); }

void JournalUndo() {
  if (!gRedoSteps.empty()) Record(kUndo, gRedoSteps.back());
}

void JournalRedo() {
  if (!gUndoSteps.empty()) Record(kRedo, gUndoSteps.back());
}
