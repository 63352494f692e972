#include "desktop/OffscreenStart.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/Platform.h"
#include "ui/BoardImages.h"
#include "ui/Fonts.h"

namespace {

// The runtime folder made for this run, "" when the environment names one.
std::string gRuntimeFolder;

// Qt looks into the runtime folder as it starts (for a sandbox's marker
// file). Without XDG_RUNTIME_DIR, as in file managers' sandboxes and package
// builds, it warns on stderr and makes a shared one in the temporary folder;
// such a run gets a private folder of its own instead, made with mode 0700.
void MakeRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return;
  const char* temporary = std::getenv("TMPDIR");
  std::string folder = temporary != nullptr && *temporary == '/' ? temporary : "/tmp";
  folder += "/tolva-sudoku-runtime.XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) return;
  setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  gRuntimeFolder = folder;
}

}  // namespace

void StartOffscreen(char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  MakeRuntimeFolder();
  StartWindowSystem(1, argv);
  LoadProgramFonts();
  PrepareImages();
}

void EndOffscreen() {
  EndWindowSystem();
  if (gRuntimeFolder.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(gRuntimeFolder, ignored);
  gRuntimeFolder.clear();
  unsetenv("XDG_RUNTIME_DIR");
}
