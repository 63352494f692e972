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
