#include "ui/EventLoop.h"

#include "solve/ErrorCheck.h"
#include "ui/BoardDrawing.h"
#include "ui/CellEditor.h"
#include "ui/Commands.h"
#include "ui/Resources.h"

int gSnappedX = 0;
int gSnappedY = 0;
int gBlinkCounter = 0;

int SnapToSquare(int position) { return (position < 0 ? (position - 32) / 33 : position / 33) * 33; }

bool RunPass() {
  const EventKind event = WaitEvent();
  bool redraw = false;
  if (event == kEventGadget) {
    HandleGadgetEvent(EventGadget(), EventType(), gSnappedX, gSnappedY);
    redraw = true;
    gErrorColumn = -1;  // any gadget event ends the error display
  }
  if (event == kEventMenu) {
    HandleMenuEvent(EventMenu());
    redraw = true;
  }

  const int previousX = gSnappedX, previousY = gSnappedY;
  const PointerPosition pointer = WindowPointer(kMainWindow);
  gSnappedX = SnapToSquare(pointer.x);
  gSnappedY = SnapToSquare(pointer.y);
  if (gSnappedX != previousX || gSnappedY != previousY || redraw) DrawBoard(gSnappedX, gSnappedY);

  SyncCellEditor();

  if (++gBlinkCounter == 21) gBlinkCounter = 0;
  if (gErrorColumn > -1) DrawErrorMarks(gErrorColumn, gErrorRow, gBlinkCounter == 10 ? 1 : 0);

  return !(event == kEventClose && EventWindow() == kMainWindow);
}
