#include "platform/qt/RuntimeFolder.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace qtws {

namespace {

// The runtime folder made for this run, "" when the environment names one.
std::string gRuntimeFolder;

}  // namespace

void MakeRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return;
  const char* temporary = std::getenv("TMPDIR");
  std::string folder = temporary != nullptr && *temporary == '/' ? temporary : "/tmp";
  folder += "/tolva-sudoku-runtime.XXXXXX";
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
