#include "storage/Settings.h"

#include "storage/Prefs.h"

std::int32_t gCellEditorX = 0;
std::int32_t gCellEditorY = 0;
std::string gPuzzlePath;
std::int32_t gDifficulty = 0;

void ReadSettings() {
  if (PrefsOpen(kPrefsFileName)) ReadOpenSettings();
}

void ReadOpenSettings() {
  gCellEditorX = PrefsReadNumber("FensterX", 100);
  gCellEditorY = PrefsReadNumber("FensterY", 100);
  gPuzzlePath = PrefsReadText("Ort", "");
  gDifficulty = PrefsReadNumber("Schwierigkeit", 35);
  PrefsClose();
}

void WriteSettings() {
  // What the file holds beyond the four values (a newer program's entries)
  // stays, after the eight lines.
  std::string others;
  if (PrefsOpen(kPrefsFileName)) others = PrefsOtherItems({"FensterX", "FensterY", "Ort", "Schwierigkeit"});
  if (!PrefsCreate(kPrefsFileName)) return;
  WriteSettingsToStore();
  PrefsAppendItems(others);
  PrefsClose();
}

void WriteSettingsToStore() {
  PrefsWriteComment(kCreditText);
  PrefsWriteComment("the position of the window:");
  PrefsWriteNumber("FensterX", gCellEditorX);
  PrefsWriteNumber("FensterY", gCellEditorY);
  PrefsWriteComment("the last project the user wrote");
  PrefsWriteText("Ort", PrefsTextReadsBack(gPuzzlePath) ? gPuzzlePath : "");
  PrefsWriteComment("the difficulty of the sudoku if you want to create one");
  PrefsWriteNumber("Schwierigkeit", gDifficulty);
}
