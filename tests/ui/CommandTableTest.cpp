// The table of commands: README's table of keys is its own, row for row.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/CommandTable.h"

namespace {

std::string KeyName(int key) {
  switch (key) {
    case kKeyBackspace: return "Backspace";
    case kKeyEnter: return "Enter";
    case kKeyEscape: return "Escape";
    case kKeySpace: return "Space";
    case kKeyDelete: return "Delete";
    case kKeyLeft: return "Left";
    case kKeyRight: return "Right";
    case kKeyUp: return "Up";
    case kKeyDown: return "Down";
    case kKeyHome: return "Home";
    case kKeyEnd: return "End";
    case kKeyPageUp: return "Page Up";
    case kKeyPageDown: return "Page Down";
    default: return std::string(1, static_cast<char>(key));
  }
}

// "Ctrl+Shift+Z", as README writes a chord.
std::string ChordName(const Chord& chord) {
  return std::string(chord.modifiers & kControlKey ? "Ctrl+" : "") + (chord.modifiers & kShiftKey ? "Shift+" : "") +
         (chord.modifiers & kAltKey ? "Alt+" : "") + KeyName(chord.key);
}

// The first column of each row of README's table of keys.
std::vector<std::string> ReadmeKeyColumn() {
  std::ifstream file(SUDOKU_SOURCE_DIR "/README.md");
  std::vector<std::string> keys;
  std::string line;
  bool inSection = false;
  while (std::getline(file, line)) {
    if (line.starts_with("## ")) inSection = line == "## Keys";
    if (!inSection || !line.starts_with("| ") || line.starts_with("| keys |")) continue;
    keys.push_back(line.substr(2, line.find(" |", 2) - 2));
  }
  return keys;
}

TEST(CommandTable, ReadmeListsEveryRowWithKeysInOrderWithExactlyItsChords) {
  std::vector<std::string> expected;
  for (const CommandRow& row : kCommandTable) {
    std::string names;
    for (const Chord& chord : row.chords)
      if (chord.key != 0) names += (names.empty() ? "" : ", ") + ChordName(chord);
    if (!names.empty()) expected.push_back(names);
  }
  EXPECT_EQ(ReadmeKeyColumn(), expected);
}

TEST(CommandTable, EveryChordGadgetAndMenuItemHasOneRow) {
  for (const CommandRow& row : kCommandTable) {
    for (const Chord& chord : row.chords) {
      if (chord.key != 0) {
        EXPECT_EQ(RowOfKey(chord.key, chord.modifiers), &row) << ChordName(chord);
      }
    }
    for (int gadget = row.firstGadget; row.firstGadget != kNoGadget && gadget <= row.lastGadget; ++gadget) {
      EXPECT_EQ(RowOfGadget(gadget), &row) << "gadget " << gadget;
    }
    if (row.menuItem != kNoMenuItem) {
      EXPECT_EQ(RowOfMenuItem(row.menuItem), &row) << "item " << row.menuItem;
    }
  }
}

}  // namespace
