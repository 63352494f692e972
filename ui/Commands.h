#pragma once
// What the main window's gadgets and menu items do.

// A gadget event of the given type; state: a check box's state after the
// click. snappedX and snappedY: the snapped pointer position of the pass
// before, from which a board click takes its cell.
void HandleGadgetEvent(int gadget, int type, int state, int snappedX, int snappedY);

// A chosen menu item.
void HandleMenuEvent(int item);
