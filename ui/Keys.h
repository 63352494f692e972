#pragma once
// What a key does in the main window and the cell editor: what a click on a
// box of the cell editor, on a button or on a menu item does, or a move of
// the selected cell, or an undo or redo.

// How the pass treats a key: as it treats the event of the command the key
// ran.
enum class KeyEffect {
  kNone,     // no command: as any other message
  kGadget,   // as a gadget event: the board is redrawn, the error display ends
  kMenu,     // as a menu event: the board is redrawn
  kHistory,  // an undo or redo: as a gadget event, and no step of its own
  kClose,    // as the main window's close request: the loop ends after the pass
};

// Runs the key's command. key: a KeyCode; modifiers: KeyModifier flags.
KeyEffect HandleKeyEvent(int key, int modifiers);
