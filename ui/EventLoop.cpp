#include "ui/EventLoop.h"

#include "board/Board.h"
#include "board/History.h"
#include "solve/ErrorCheck.h"
#include "storage/HistoryJournal.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardNames.h"
#include "ui/CellEditor.h"
#include "ui/CommandTable.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

int gSnappedX = 0;
int gSnappedY = 0;
int gBlinkCounter = 0;

int SnapToSquare(int position) { return (position < 0 ? (position - 32) / 33 : position / 33) * 33; }

namespace {

// The row of the pass's event, and what its command needs of the event; null
// for an event that runs no command. A key counts in the main window and the
// cell editor only.
const CommandRow* RowOfEvent(EventKind event, CommandInput& input) {
  switch (event) {
    case kEventKey:
      if (EventWindow() != kMainWindow && EventWindow() != kCellEditorWindow) return nullptr;
      input.byKey = true;
      input.key = EventKey();
      input.modifiers = EventModifiers();
      return RowOfKey(input.key, input.modifiers);
    case kEventGadget:
      input.gadget = EventGadget();
      input.type = EventType();
      input.snappedX = gSnappedX;
      input.snappedY = gSnappedY;
      return RowOfGadget(input.gadget);
    case kEventMenu: return RowOfMenuItem(EventMenu());
    default: return nullptr;
  }
}

// A key dropped because the selected cell is locked is no silent key to a
// screen reader's user: "A2 ist vorgegeben".
void SayKeyRefused(const CommandRow& row) {
  if (row.applies == Applies::kUnlockedCell && gSelectedColumn > 0 && gSelectedRow > 0)
    Announce(CellLabel(gSelectedColumn, gSelectedRow) + " ist vorgegeben");
}

// What the event of a pass asks of the rest of the pass.
struct Handled {
  bool redraw = false;  // the board is redrawn
  bool closes = false;  // the loop ends after this pass
};

// Every key, gadget and menu event passes here: the command of its row runs,
// if it applies, and a change of the main board it made is one undo step.
Handled HandleEvent(EventKind event) {
  Handled handled;
  // Any gadget event, of any gadget and kind, and any menu event redraws the
  // board; a gadget event ends the error display.
  if (event == kEventGadget) gErrorColumn = -1;
  handled.redraw = event == kEventGadget || event == kEventMenu;
  handled.closes = event == kEventClose && EventWindow() == kMainWindow;

  CommandInput input;
  const CommandRow* row = RowOfEvent(event, input);
  if (row && !CommandApplies(*row) && input.byKey) SayKeyRefused(*row);
  if (!row || !CommandApplies(*row)) return handled;
  const Board before = gMainBoard;
  RunCommand(*row, input);
  if (row->command != Command::kUndo && row->command != Command::kRedo) RecordChange(before);
  // As its gadget or menu event would: only a menu item's command keeps the
  // error display, and the commands that show it themselves. A cell is said
  // without its error once the display ends.
  if (!KeepsErrorDisplay(*row)) gErrorColumn = -1;
  // Opening says the puzzle's name and how full it is instead.
  if (row->command != Command::kOpen) Announce(BoardChangeText(before));
  handled.redraw = true;
  if (row->command == Command::kQuit) handled.closes = true;
  return handled;
}

}  // namespace

bool RunPass() {
  const EventKind event = WaitEvent();
  const Handled handled = HandleEvent(event);
  // Said once, in the status line below the board, where it fits.
  if (const char* notice = TakeJournalNotice()) ShowHelpText(notice, notice);

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
