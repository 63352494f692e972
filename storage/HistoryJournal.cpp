#include "storage/HistoryJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/CoreServices.h"
#include "storage/Bytes.h"
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
  std::atomic<bool> failed{false};  // a sync failed: the records may not be on the disk

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
      if (data && fd >= 0 && ::fdatasync(fd) != 0) failed = true;
      if (syncFolder) {
        const int folderFd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd >= 0) {
          if (::fsync(folderFd) != 0) failed = true;
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
    failed = false;
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
  bool newer = false;  // the base or the journal is a newer program's: neither is ever written
};

// The journal being written: its descriptor, its length, the checksum its
// next record chains from, the main board its records have reached, and
// which files it and its base are, to tell when another copy replaced them.
struct Journal {
  bool started = false;  // from StartJournal to StopJournal, when the files are known
  bool failing = false;  // the files could not be written: the steps are kept in memory only
  int fd = -1;
  std::size_t size = 0;
  std::uint64_t chain = 0;
  Board board{};
  std::string path;
  std::string basePath;
  FileId id;
  FileId baseId;
};

Found gFound;
Journal gJournal;
Syncer gSyncer;

// What the person is told once, at the main loop's next pass; null for
// nothing.
const char* gNotice = nullptr;
constexpr const char* kStepsNotKept = "Verlauf wird nicht mehr gespeichert";
constexpr const char* kNewerFiles = "Verlauf einer neueren Version: wird nicht gespeichert";

void CloseJournal() {
  if (gJournal.fd >= 0) ::close(gJournal.fd);
  gJournal.fd = -1;
}

// The base and the journal are still the ones this program put there.
bool StillOwn() { return Same(IdOf(gJournal.path), gJournal.id) && Same(IdOf(gJournal.basePath), gJournal.baseId); }

// A new empty journal naming the base with checksum base, put in place.
bool PlaceJournal(std::uint64_t base, const Board& board) {
  CloseJournal();
  gJournal.fd = PlaceFileKeptOpen(gJournal.path, JournalHeader(base));
  if (gJournal.fd < 0) return false;
  gJournal.failing = false;
  gJournal.size = kJournalHeaderSize;
  gJournal.chain = base;
  gJournal.board = board;
  gJournal.id = IdOf(gJournal.path);
  gJournal.baseId = IdOf(gJournal.basePath);
  gSyncer.Hand(gJournal.fd, FolderOf(gJournal.path));
  return true;
}

// The files cannot be written (a full disk, a folder made read-only, the
// file-size limit): the journal is left as it is, everything before its
// last whole record still counts, and the session goes on in memory until a
// compaction succeeds again.
void Fail() {
  CloseJournal();
  if (!gJournal.failing) gNotice = kStepsNotKept;
  gJournal.failing = true;
}

void Record(std::uint32_t kind, const Board& before) {
  if (!gJournal.started) return;
  // A failing journal comes back with a compaction, which holds every step
  // since it failed, this one included.
  if (gJournal.failing) {
    CompactHistory(gMainBoard);
    return;
  }
  // Room for the chain's checksum in front, which the checksum covers but
  // the file does not hold.
  std::string record(kChainSize, '\0');
  PutLittleEndian(record.data(), gJournal.chain, kChainSize);
  AppendLittleEndian(record, kind, 4);
  AppendLittleEndian(record, 0, 4);
  AppendBoardChanges(record, gJournal.board, before);
  if (kind == kChange) AppendBoardChanges(record, before, gMainBoard);
  PutLittleEndian(&record[kChainSize + 4], record.size() - kChainSize - 8, 4);
  const std::uint64_t checksum = HistoryChecksum(record);
  AppendLittleEndian(record, checksum, 8);
  const std::string_view bytes = std::string_view(record).substr(kChainSize);

  // A record that would pass the bound or the file-size limit, files another
  // copy replaced, a failed sync or a failed write: a compaction holds this
  // record's change instead. (A write that failed midway leaves a torn
  // record, which the compaction's new journal replaces.)
  if (gJournal.size + bytes.size() > kJournalMaxSize || !StillOwn() || gSyncer.failed ||
      !WriteAll(gJournal.fd, bytes)) {
    if (!CompactHistory(gMainBoard)) Fail();
    return;
  }
  gJournal.size += bytes.size();
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
  AppendLittleEndian(bytes, kVersion, 4);
  AppendLittleEndian(bytes, base, 8);
  return bytes;
}

int ReplayJournalBytes(std::string_view bytes, std::uint64_t base, Board& board) {
  if (bytes.size() < kJournalHeaderSize || !bytes.starts_with(kMagic) || ReadLittleEndian(bytes, 8, 4) != kVersion ||
      ReadLittleEndian(bytes, 12, 8) != base)
    return -1;
  std::uint64_t chain = base;
  std::size_t at = kJournalHeaderSize;
  int applied = 0;
  std::string sealed;
  // A record is its kind, its length L, L bytes of change lists and its
  // 8-byte checksum: 16 + L bytes, all of which must be there.
  while (bytes.size() - at >= 16) {
    const auto kind = static_cast<std::uint32_t>(ReadLittleEndian(bytes, at, 4));
    const auto length = static_cast<std::uint32_t>(ReadLittleEndian(bytes, at + 4, 4));
    if (length > kMaxListsSize || bytes.size() - at - 16 < length) break;
    const std::string_view record = bytes.substr(at, 8 + std::size_t{length});
    sealed.assign(kChainSize, '\0');
    PutLittleEndian(sealed.data(), chain, kChainSize);
    sealed.append(record);
    const std::uint64_t checksum = HistoryChecksum(sealed);
    if (checksum != ReadLittleEndian(bytes, at + record.size(), 8)) break;

    // The main board before the command, then what the command did to it,
    // by the history's own rules.
    if (kind != kChange && kind != kUndo && kind != kRedo) break;
    Board before = board;
    std::size_t read = 8;
    if (!ReadBoardChanges(record, read, before)) break;
    Board after = before;
    if (kind == kChange && !ReadBoardChanges(record, read, after)) break;
    if (read != record.size()) break;
    if (kind == kChange && !RecordStep(before, after)) break;
    if (kind == kUndo && !StepBack(after)) break;
    if (kind == kRedo && !StepForward(after)) break;
    board = after;
    chain = checksum;
    at += record.size() + 8;
    ++applied;
  }
  return applied;
}

bool LoadHistory(Board& atExit) {
  gFound = Found{};
  const std::string path = HistoryFilePath();
  std::string journal;
  ReadFileStart(JournalFilePath(), kJournalMaxSize, journal);
  // Both files begin with their magic and their version: 12 bytes tell a
  // newer program's, whatever its size.
  std::string bytes;
  ReadFileStart(path, 12, bytes);
  gFound.newer = IsNewerHistoryFile(bytes) || IsOfANewerVersion(journal, kMagic, kVersion);
  gFound.baseLoaded = ReadFileOfAtMost(path, kHistoryFileMaxSize, bytes) && LoadHistoryBytes(bytes, atExit);
  if (!gFound.baseLoaded) return false;
  gFound.base = HistoryBytesChecksum(bytes);
  if (!gFound.newer) gFound.records = std::max(ReplayJournalBytes(journal, gFound.base, atExit), 0);
  return true;
}

void StartJournal(const Board& board) {
  StopJournal(false);
  gJournal = Journal{};
  gJournal.path = JournalFilePath();
  gJournal.basePath = HistoryFilePath();
  if (gJournal.path.empty() || !MakeHistoryFolders()) return;
  RemoveStaleTemporaries(FolderOf(gJournal.path));
  if (gFound.newer) {
    gNotice = kNewerFiles;
    return;
  }
  gJournal.started = true;
  gJournal.board = board;
  const bool placed = !gFound.baseLoaded || gFound.records > 0 ? CompactHistory(board)
                                                               : PlaceJournal(gFound.base, board);
  if (!placed) Fail();
}

bool CompactHistory(const Board& board) {
  if (gFound.newer) return false;
  const std::string bytes = HistoryBytes(board);
  if (!WriteHistoryFile(bytes)) return false;
  return !gJournal.started || PlaceJournal(HistoryBytesChecksum(bytes), board);
}

void StopJournal(bool removeFile) {
  if (removeFile && Same(IdOf(gJournal.path), gJournal.id)) ::unlink(gJournal.path.c_str());
  CloseJournal();
  gJournal.started = false;
  gJournal.failing = false;
  gSyncer.Stop();
}

void SaveHistory() {
  // The journal goes once the base holds all it held.
  const bool written = !gFound.newer && WriteHistoryFile(HistoryBytes(gMainBoard));
  StopJournal(written);
}

bool JournalKeepsSteps() { return gJournal.started && !gJournal.failing; }

void JournalStep(HistoryStep step, const Board& before) {
  switch (step) {
    case HistoryStep::kChange: Record(kChange, before); break;
    case HistoryStep::kUndo: Record(kUndo, before); break;
    case HistoryStep::kRedo: Record(kRedo, before); break;
  }
}

const char* TakeJournalNotice() { return std::exchange(gNotice, nullptr); }
