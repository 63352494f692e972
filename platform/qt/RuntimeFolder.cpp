#include "platform/qt/RuntimeFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace qtws {

namespace {

constexpr std::string_view kPrefix = "tolva-sudoku-runtime-";

// The runtime folder made for this run, "" when the environment names one.
std::string gRuntimeFolder;

std::string TemporaryFolder() {
  const char* temporary = std::getenv("TMPDIR");
  return temporary != nullptr && *temporary == '/' ? temporary : "/tmp";
}

// The process a runtime folder was made for, from its name
// "tolva-sudoku-runtime-<pid>.XXXXXX"; 0 for any other name.
pid_t ProcessOf(std::string_view name) {
  if (!name.starts_with(kPrefix)) return 0;
  name.remove_prefix(kPrefix.size());
  pid_t pid = 0;
  std::size_t digits = 0;
  for (; digits < name.size() && digits < 9 && name[digits] >= '0' && name[digits] <= '9'; ++digits)
    pid = pid * 10 + (name[digits] - '0');
  return digits > 0 && digits < name.size() && name[digits] == '.' ? pid : 0;
}

// This user's runtime folders (real folders, not links) of processes that
// are gone.
void RemoveStaleRuntimeFolders(const std::string& temporary) {
  DIR* listing = ::opendir(temporary.c_str());
  if (listing == nullptr) return;
  while (const dirent* entry = ::readdir(listing)) {
    const pid_t pid = ProcessOf(entry->d_name);
    struct stat info {};
    if (pid <= 0 || ::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
    std::error_code ignored;
    std::filesystem::remove_all(temporary + "/" + entry->d_name, ignored);
  }
  ::closedir(listing);
}

}  // namespace

void MakeRuntimeFolder() {
  const std::string temporary = TemporaryFolder();
  RemoveStaleRuntimeFolders(temporary);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return;
  std::string folder = temporary + "/" + std::string(kPrefix) + std::to_string(::getpid()) + ".XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) return;
  setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  static bool registered = false;
  if (!registered) registered = std::atexit(RemoveRuntimeFolder) == 0;
  gRuntimeFolder = folder;
}

void RemoveRuntimeFolder() {
  if (gRuntimeFolder.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(gRuntimeFolder, ignored);
  gRuntimeFolder.clear();
  unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace qtws
