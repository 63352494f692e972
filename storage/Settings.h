#pragma once
// The four values the program keeps between runs in "Data.prefs" in the
// working directory, and the program's start-up and exit sequences over the
// preferences store.

#include <cstdint>
#include <string>

inline constexpr const char* kPrefsFileName = "Data.prefs";

// The program's one-line credit, used in the preferences, the main window and
// on the printed page.
inline constexpr const char* kCreditText = "Tolva Sudoku von den Tolva-Entwicklern";

// Start values (kept when "Data.prefs" cannot be opened): 0, 0, "" and 0.
extern std::int32_t gCellEditorX;  // screen position of the cell editor window
extern std::int32_t gCellEditorY;
extern std::string gPuzzlePath;    // the remembered puzzle path ("Ort")
extern std::int32_t gDifficulty;   // cells the generator empties ("Schwierigkeit")

// Reads "FensterX" (default 100), "FensterY" (100), "Ort" ("") and
// "Schwierigkeit" (35) when "Data.prefs" opens; otherwise changes nothing.
void ReadSettings();

// The same four reads from the open store, which is then closed.
void ReadOpenSettings();

// Rebuilds "Data.prefs": the credit comment, the values and their comments,
// eight lines in all; then what else the old file held that this program
// does not know (a newer program's entries, groups and all), as it was.
// The old file's comments and other lines for the four values go. Nothing
// is written when it cannot be created.
// A remembered path that would not read back as it is (a line break, or a
// blank at either end) is written as an empty "Ort".
void WriteSettings();

// The eight lines of WriteSettings, into the open (new) store.
void WriteSettingsToStore();
