#include "ui/EventLoop.h"

#include "board/Board.h"
#include "board/History.h"
#include "solve/ErrorCheck.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardNames.h"
#include "ui/CellEditor.h"
#include "ui/Commands.h"
#include "ui/Keys.h"
#include "ui/Resources.h"

int gSnappedX = 0;
int gSnappedY = 0;
int gBlinkCounter = 0;

int SnapToSquare(int position) { return (position < 0 ? (position - 32) / 33 : position / 33) * 33; }

namespace {

// What the event of a pass asks of the rest of the pass.
struct Handled {
  bool redraw = false;   // the board is redrawn
  bool command = false;  // a command ran: a change of the board is one step of the undo history
  bool closes = false;   // the loop ends after this pass
};

Handled HandleEvent(EventKind event) {
  Handled handled;
  if (event == kEventGadget) {
    HandleGadgetEvent(EventGadget(), EventType(), EventState(), gSnappedX, gSnappedY);
    handled = {true, true, false};
    gErrorColumn = -1;  // any gadget event ends the error display
  }
  if (event == kEventMenu) {
    HandleMenuEvent(EventMenu());
    handled = {true, true, false};
  }
  if (event == kEventKey) {
    const KeyEffect effect = HandleKeyEvent(EventKey(), EventModifiers());
    if (effect == KeyEffect::kGadget || effect == KeyEffect::kHistory) gErrorColumn = -1;
    handled.redraw = effect == KeyEffect::kGadget || effect == KeyEffect::kMenu || effect == KeyEffect::kHistory;
    handled.command = effect == KeyEffect::kGadget || effect == KeyEffect::kMenu;
    handled.closes = effect == KeyEffect::kClose;
  }
  if (event == kEventClose && EventWindow() == kMainWindow) handled.closes = true;
  return handled;
}

}  // namespace

bool RunPass() {
  const EventKind event = WaitEvent();
  const Board before = gMainBoard;
  const Handled handled = HandleEvent(event);
  if (handled.command) RecordChange(before);
  Announce(BoardChangeText(before));

  const int previousX = gSnappedX, previousY = gSnappedY;
  const PointerPosition pointer = WindowPointer(kMainWindow);
  gSnappedX = SnapToSquare(pointer.x);
  gSnappedY = SnapToSquare(pointer.y);
  if (gSnappedX != previousX || gSnappedY != previousY || handled.redraw) {
    DrawBoard(gSnappedX, gSnappedY);
    NameBoardCells();
  }

  SyncCellEditor();

  if (++gBlinkCounter == 21) gBlinkCounter = 0;
  if (gErrorColumn > -1) DrawErrorMarks(gErrorColumn, gErrorRow, gBlinkCounter == 10 ? 1 : 0);

  return !handled.closes;
}
