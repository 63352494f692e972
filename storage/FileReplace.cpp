#include "storage/FileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

// Closes a descriptor when it goes out of scope.
struct FileDescriptor {
  int fd = -1;
  explicit FileDescriptor(int value) : fd(value) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
  int Release() {
    int value = fd;
    fd = -1;
    return value;
  }
};

// Links followed before giving up, as the system does.
constexpr int kMaxLinks = 40;
// New names for a temporary file tried before giving up.
constexpr int kTemporaryNameTries = 100;

int OpenRegularForReading(const std::string& path) {
  // Non-blocking, so that a named pipe cannot hang the program on open.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Reads into bytes from its current size on until the end of the file.
bool ReadRest(int fd, std::string& bytes, std::size_t maxBytes) {
  if (bytes.size() >= maxBytes) return true;
  std::vector<char> buffer(std::min<std::size_t>(64 * 1024, maxBytes - bytes.size()));
  while (bytes.size() < maxBytes) {
    std::size_t want = std::min(buffer.size(), maxBytes - bytes.size());
    ssize_t got = ::read(fd, buffer.data(), want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    bytes.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return true;
}

// The path a write to path lands on: links are followed, a dangling one
// included, so that writing creates the file it names.
std::string ResolveTarget(std::string path) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 256, '\0');
    ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  return path;  // a loop of links: opening it fails as the system decides
}

bool MayWrite(const std::string& path) { return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

// A temporary file's name: the prefix, then kTemporaryDigits hex digits
// (the writer's process, a count and the time). Older builds, which did not
// lock their files, wrote at most 22 digits.
constexpr std::string_view kTemporaryPrefix = ".tolva-";
constexpr std::size_t kTemporaryDigits = 24;

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A new file in folder under a short name of its own (so that a target name
// of any allowed length leaves room for it), created with the given mode less
// the umask. Sets name; -1 when none can be made.
//
// The file is locked (flock) for as long as the descriptor is open, so that
// RemoveStaleTemporaries never takes a file still being written: a lock that
// came after another program had already removed the name is given up for a
// new name.
int CreateTemporary(const std::string& folder, mode_t mode, std::string& name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    char suffix[kTemporaryDigits + 1];
    std::snprintf(suffix, sizeof suffix, "%08x%08x%08llx", static_cast<unsigned>(::getpid()), ++counter,
                  ticks & 0xFFFFFFFF);
    name = folder + "/" + std::string(kTemporaryPrefix) + suffix;
    FileDescriptor file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (file.fd < 0 && errno == EEXIST) continue;
    if (file.fd < 0) return -1;
    // A file system without locks takes the file unlocked: no cleaner can
    // lock it either, so none removes it.
    ::flock(file.fd, LOCK_EX);
    struct stat opened {};
    struct stat named {};
    if (::fstat(file.fd, &opened) == 0 && ::lstat(name.c_str(), &named) == 0 && SameFile(opened, named))
      return file.Release();
  }
  return -1;
}

// A name CreateTemporary gives, or an older build gave: the prefix, then 1 to
// 40 lower-case hex digits.
bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix)) return false;
  name.remove_prefix(kTemporaryPrefix.size());
  return !name.empty() && name.size() <= 40 &&
         std::all_of(name.begin(), name.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A temporary file that no build's writer (an older one did not lock) holds
// any more after that long.
constexpr int kStaleSeconds = 60;

// Whether a process holds the file open, apart from this check's own
// descriptor ownFd: looked up in the open descriptors of every process
// whose descriptors can be read.
bool HeldOpen(const struct stat& file, int ownFd) {
  DIR* processes = ::opendir("/proc");
  if (processes == nullptr) return false;
  const std::string self = std::to_string(::getpid());
  bool held = false;
  while (!held) {
    const dirent* process = ::readdir(processes);
    if (process == nullptr) break;
    const std::string_view pid = process->d_name;
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    DIR* descriptors = ::opendir(("/proc/" + std::string(pid) + "/fd").c_str());
    if (descriptors == nullptr) continue;
    while (const dirent* descriptor = ::readdir(descriptors)) {
      if (descriptor->d_name[0] == '.' || (pid == self && std::to_string(ownFd) == descriptor->d_name)) continue;
      struct stat opened {};
      if (::fstatat(::dirfd(descriptors), descriptor->d_name, &opened, 0) == 0 && SameFile(opened, file)) {
        held = true;
        break;
      }
    }
    ::closedir(descriptors);
  }
  ::closedir(processes);
  return held;
}

// A stale temporary file of this user's that can go: a regular file of one
// name, unlocked and held open by no process, and either named by this
// build (whose writers hold the lock for the file's whole life, so an
// unlocked one is abandoned) or older than a minute. named: what the folder
// names; file: the file opened from that name.
bool Stale(std::string_view name, const struct stat& named, int file) {
  struct stat opened {};
  if (!S_ISREG(named.st_mode) || named.st_uid != ::geteuid() || named.st_nlink != 1) return false;
  if (::fstat(file, &opened) != 0 || !SameFile(opened, named) || opened.st_nlink != 1) return false;
  if (::flock(file, LOCK_EX | LOCK_NB) != 0 || HeldOpen(opened, file)) return false;
  return name.size() == kTemporaryPrefix.size() + kTemporaryDigits ||
         std::time(nullptr) - opened.st_mtime >= kStaleSeconds;
}

enum class Replaced { Done, Failed, NotPossible };

// True when the file carries extended attributes (access lists among them)
// that a new file would not have. The security label every file gets from
// its folder on some systems does not count.
bool HasOwnAttributes(const std::string& path) {
  const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
  if (size <= 0) return false;
  std::string names(static_cast<std::size_t>(size), '\0');
  const ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
  if (got < 0) return true;
  std::string_view rest(names.data(), static_cast<std::size_t>(got));
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    if (rest.substr(0, end) != "security.selinux") return true;
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return false;
}

// Gives the temporary file the owner, group and mode of the old one; false
// when any of them cannot be reproduced exactly.
bool CopyIdentity(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
    return false;
  // The mode after the owner: a change of owner clears set-id bits.
  if (::fchmod(fd, old.st_mode & 07777) != 0 || ::fstat(fd, &now) != 0) return false;
  return now.st_uid == old.st_uid && now.st_gid == old.st_gid && (now.st_mode & 07777) == (old.st_mode & 07777);
}

// Writes bytes to a temporary file beside target and renames it into place.
// old describes the existing file, or is null for a new one. The temporary
// stays open, and so locked, until it is renamed or removed: a cleaner of
// another copy never takes it, and a rename that fails leaves the target as
// it was.
Replaced ReplaceThroughTemporary(const std::string& target, std::string_view bytes, const struct stat* old) {
  if (old != nullptr && (old->st_nlink != 1 || HasOwnAttributes(target))) return Replaced::NotPossible;
  std::string temporary;
  FileDescriptor file(CreateTemporary(FolderOf(target), old != nullptr ? 0600 : 0666, temporary));
  if (file.fd < 0) return Replaced::NotPossible;
  if (old != nullptr && !CopyIdentity(file.fd, *old)) {
    ::unlink(temporary.c_str());
    return Replaced::NotPossible;
  }
  if (WriteAll(file.fd, bytes) && ::fsync(file.fd) == 0 && ::rename(temporary.c_str(), target.c_str()) == 0)
    return Replaced::Done;
  ::unlink(temporary.c_str());
  return Replaced::Failed;
}

// Writes bytes over the file from its start and cuts it after them; creates
// the file (mode 0666 less the umask) when create is set.
bool WriteInPlace(const std::string& target, std::string_view bytes, bool create) {
  const int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT | O_EXCL : 0);
  FileDescriptor file(::open(target.c_str(), flags, 0666));
  if (file.fd < 0) return false;
  struct stat info {};
  if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  bool ok = WriteAll(file.fd, bytes) && ::ftruncate(file.fd, static_cast<off_t>(bytes.size())) == 0 &&
            ::fsync(file.fd) == 0;
  return (::close(file.Release()) == 0) && ok;
}

// Makes path (a link followed) hold bytes through a temporary file, or, with
// inPlace and where that cannot keep what the file is, in place.
bool Replace(const std::string& path, std::string_view bytes, bool inPlace) {
  if (!CanReplaceFile(path) || !FitsFileSizeLimit(bytes.size())) return false;
  const std::string target = ResolveTarget(path);
  RemoveStaleTemporaries(FolderOf(target));
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  switch (ReplaceThroughTemporary(target, bytes, existed ? &old : nullptr)) {
    case Replaced::Done: return true;
    case Replaced::Failed: return false;
    case Replaced::NotPossible: return inPlace && WriteInPlace(target, bytes, !existed);
  }
  return false;
}

}  // namespace

bool CanOpenForReading(const std::string& path) {
  FileDescriptor file(OpenRegularForReading(path));
  return file.fd >= 0;
}

bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  FileDescriptor file(OpenRegularForReading(path));
  if (file.fd < 0) return false;
  ReadRest(file.fd, bytes, maxBytes);
  return true;
}

bool ReadFileOfAtMost(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  FileDescriptor file(OpenRegularForReading(path));
  struct stat info {};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || static_cast<std::uintmax_t>(info.st_size) > maxBytes)
    return false;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  // One byte more than allowed tells a file that grew meanwhile.
  if (ReadRest(file.fd, bytes, maxBytes + 1) && bytes.size() <= maxBytes) return true;
  std::string().swap(bytes);
  return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  FileDescriptor file(OpenRegularForReading(path));
  if (file.fd < 0) return false;
  struct stat info {};
  try {
    if (::fstat(file.fd, &info) != 0) return false;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    if (ReadRest(file.fd, bytes, bytes.max_size())) return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  std::string().swap(bytes);
  return false;
}

bool CanReplaceFile(const std::string& path) {
  if (path.empty()) return false;
  const std::string target = ResolveTarget(path);
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return S_ISREG(info.st_mode) && MayWrite(target);
  return errno == ENOENT && ::faccessat(AT_FDCWD, FolderOf(target).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) { return Replace(path, bytes, true); }

bool ReplaceFileWhole(const std::string& path, std::string_view bytes) { return Replace(path, bytes, false); }

int PlaceFileKeptOpen(const std::string& path, std::string_view bytes) {
  std::string temporary;
  FileDescriptor file(CreateTemporary(FolderOf(path), 0600, temporary));
  if (file.fd < 0) return -1;
  if (WriteAll(file.fd, bytes) && ::rename(temporary.c_str(), path.c_str()) == 0) return file.Release();
  ::unlink(temporary.c_str());
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  const off_t at = ::lseek(fd, 0, SEEK_CUR);
  if (at >= 0 && !FitsFileSizeLimit(static_cast<std::uintmax_t>(at) + bytes.size())) {
    errno = EFBIG;
    return false;
  }
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool FitsFileSizeLimit(std::uintmax_t size) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return true;
  return size <= limit.rlim_cur;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void RemoveStaleTemporaries(const std::string& folder) {
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return;
  const int folderFd = ::dirfd(listing);
  while (const dirent* entry = ::readdir(listing)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    struct stat named {};
    if (::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode)) continue;
    FileDescriptor file(::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0 || !Stale(entry->d_name, named, file.fd)) continue;
    struct stat still {};
    if (::fstatat(folderFd, entry->d_name, &still, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(still, named))
      ::unlinkat(folderFd, entry->d_name, 0);
  }
  ::closedir(listing);
}
