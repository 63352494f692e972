#pragma once
// What the program's commands do (the rows of ui/CommandTable.h).

#include "ui/CommandTable.h"

// The event a command runs for.
struct CommandInput {
  bool byKey = false;  // a key, else a gadget or a menu event
  int key = 0;         // the key (a KeyCode) of a key
  int modifiers = 0;   // and its KeyModifier flags
  int gadget = -1;     // the gadget of a gadget event
  int type = 0;        // and its GadgetEventType
  // The snapped pointer position of the pass before, from which a board
  // click takes its cell.
  int snappedX = 0;
  int snappedY = 0;
};

// Whether the row's command applies now (see Applies); when it does not, its
// event is dropped. The main loop is never busy when it asks.
bool CommandApplies(const CommandRow& row);

// Whether the row's command leaves the error display as it is: a menu
// item's, as its event does, and the hint's and the check's, which show a
// cell that does not fit the solution with it. Any other command ends it.
bool KeepsErrorDisplay(const CommandRow& row);

// Runs the row's command for the event. Undo, redo and quit only move the
// history or end the loop; the main loop records every other change of the
// main board as one undo step.
void RunCommand(const CommandRow& row, const CommandInput& input);
