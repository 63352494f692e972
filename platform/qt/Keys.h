#pragma once
// Where a key pressed in a program window goes.

class QKeyEvent;

namespace qtws {

// Routes a key press of a program window before Qt delivers it: to the
// focused gadget that works with the key (false: Qt delivers it), or to the
// button that has it as its key, or into the queue as a key event (true: the
// press is taken).
bool RouteKey(int window, const QKeyEvent& event);

}  // namespace qtws
