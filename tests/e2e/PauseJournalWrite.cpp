// For the end-to-end runs, loaded into the program with LD_PRELOAD: stops
// it in the middle of writing a step into its journal, where a test kills
// it. With PAUSE_JOURNAL_AT=n, the n-th write into a file named
// "history.journal" is written in two halves, with the process stopped
// (SIGSTOP) between them; a program that is continued instead writes the
// rest as usual. Nothing of this is in the program itself.

#include <dlfcn.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using WriteFunction = ssize_t (*)(int, const void*, size_t);

WriteFunction RealWrite() {
  static const auto real = reinterpret_cast<WriteFunction>(::dlsym(RTLD_NEXT, "write"));
  return real;
}

bool IsJournal(int fd) {
  char target[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
  return length > 0 && std::string_view(target, static_cast<std::size_t>(length)).ends_with("/history.journal");
}

}  // namespace

extern "C" ssize_t write(int fd, const void* bytes, size_t count) {
  static const int pauseAt = [] {
    const char* at = std::getenv("PAUSE_JOURNAL_AT");
    return at ? std::atoi(at) : 0;
  }();
  static int journalWrites = 0;
  if (pauseAt <= 0 || count < 2 || !IsJournal(fd) || ++journalWrites != pauseAt) return RealWrite()(fd, bytes, count);
  const ssize_t first = RealWrite()(fd, bytes, count / 2);
  if (first <= 0) return first;
  ::raise(SIGSTOP);
  const ssize_t rest = RealWrite()(fd, static_cast<const char*>(bytes) + first, count - static_cast<size_t>(first));
  return rest < 0 ? first : first + rest;
}
