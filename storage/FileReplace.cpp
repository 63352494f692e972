#include "storage/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <algorithm>
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

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a write to path lands in: a link is followed to its target.
std::string ResolveTarget(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && ::realpath(path.c_str(), resolved) != nullptr)
    return resolved;
  return path;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
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
  std::vector<char> buffer(64 * 1024);
  while (bytes.size() < maxBytes) {
    std::size_t want = std::min(buffer.size(), maxBytes - bytes.size());
    ssize_t got = ::read(file.fd, buffer.data(), want);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bytes.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return true;
}

bool CanReplaceFile(const std::string& path) {
  if (path.empty()) return false;
  const std::string target = ResolveTarget(path);
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0) return false;
  } else if (errno != ENOENT) {
    return false;
  }
  return ::access(FolderOf(target).c_str(), W_OK | X_OK) == 0;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  if (!CanReplaceFile(path)) return false;
  const std::string target = ResolveTarget(path);

  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;

  std::string temporary = target + ".XXXXXX";
  FileDescriptor file(::mkstemp(temporary.data()));
  if (file.fd < 0) return false;

  const mode_t mode = existed ? (old.st_mode & 07777) : NewFileMode();
  bool ok = WriteAll(file.fd, bytes) && ::fchmod(file.fd, mode) == 0 && ::fsync(file.fd) == 0;
  ok = (::close(file.Release()) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}
