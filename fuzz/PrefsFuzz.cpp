// Any bytes as "Data.prefs", read from memory: the start-up values, the exit
// write, and a second read of what was written, which must give the same
// four values ("Ort" empty where the path would not read back). Then the
// same values written into the fuzzed file itself must read back too.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "storage/Prefs.h"
#include "storage/Settings.h"

namespace {

// A failed check names its line, then ends the run as a finding.
void Require(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s:%d\n", __FILE__, line);
  std::abort();
}

struct Values {
  std::int32_t x, y;
  std::string path;
  std::int32_t difficulty;
  bool operator==(const Values&) const = default;
};

Values ReadFrom(std::string text) {
  gCellEditorX = 0;
  gCellEditorY = 0;
  gPuzzlePath.clear();
  gDifficulty = 0;
  PrefsOpenText(std::move(text));
  ReadOpenSettings();
  return {gCellEditorX, gCellEditorY, gPuzzlePath, gDifficulty};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const Values read = ReadFrom(input);

  PrefsCreateText();
  WriteSettingsToStore();
  const std::string written = PrefsFileText();
  PrefsClose();
  std::size_t pairs = 0;
  for (std::size_t at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at + 2)) ++pairs;
  Require(pairs == 8 && std::count(written.begin(), written.end(), '\r') == 8 &&
          std::count(written.begin(), written.end(), '\n') == 8 && written.ends_with("\r\n"));
  Values expected = read;
  if (!PrefsTextReadsBack(expected.path)) expected.path.clear();
  Require(ReadFrom(written) == expected);

  // Writing into the fuzzed file: each value set reads back as set.
  const std::int32_t nextY = read.y < INT32_MAX ? read.y + 1 : read.y - 1;
  const Values changed{read.x ^ 1, nextY, "/tmp/r\xE4tsel.sdk", -(read.difficulty / 2)};
  PrefsOpenText(input);
  PrefsWriteComment("the position of the window:");
  PrefsWriteNumber("FensterX", changed.x);
  PrefsWriteNumber("FensterY", changed.y);
  PrefsWriteText("Ort", changed.path);
  PrefsWriteComment("the difficulty");
  PrefsWriteNumber("Schwierigkeit", changed.difficulty);
  const std::string rewritten = PrefsFileText();
  PrefsClose();
  Require(ReadFrom(rewritten) == changed);
  return 0;
}
