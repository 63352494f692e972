#include "ui/CommandTable.h"

const CommandRow* RowOfKey(int key, int modifiers) {
  if (key == 0) return nullptr;
  for (const CommandRow& row : kCommandTable)
    for (const Chord& chord : row.chords)
      if (chord.key == key && chord.modifiers == modifiers) return &row;
  return nullptr;
}

const CommandRow* RowOfGadget(int gadget) {
  for (const CommandRow& row : kCommandTable)
    if (row.firstGadget != kNoGadget && gadget >= row.firstGadget && gadget <= row.lastGadget) return &row;
  return nullptr;
}

const CommandRow* RowOfMenuItem(int item) {
  for (const CommandRow& row : kCommandTable)
    if (row.menuItem != kNoMenuItem && row.menuItem == item) return &row;
  return nullptr;
}

void GiveBusyButtonsTheirKeys() {
  for (const CommandRow& row : kCommandTable)
    if (row.applies == Applies::kBusy) SetGadgetKey(row.firstGadget, row.chords[0].key);
}

void TellCommandKeys() {
  for (const CommandRow& row : kCommandTable) {
    if (row.chords[0].key == 0) continue;
    if (row.menuItem != kNoMenuItem) TellMenuItemKey(row.menuItem, row.chords[0].key, row.chords[0].modifiers);
    if (row.firstGadget == kNoGadget) continue;
    const bool ownChords = row.lastGadget - row.firstGadget + 1 < kMostChords &&
                           row.chords[static_cast<std::size_t>(row.lastGadget - row.firstGadget)].key != 0;
    for (int gadget = row.firstGadget; gadget <= row.lastGadget; ++gadget) {
      const Chord& chord = row.chords[ownChords ? static_cast<std::size_t>(gadget - row.firstGadget) : 0];
      TellGadgetKey(gadget, chord.key, chord.modifiers);
    }
  }
}
