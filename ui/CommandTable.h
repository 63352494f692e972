#pragma once
// The program's commands, one row each: the key chords that run it, the
// gadgets or the menu item it shares, and when it applies. The main loop
// turns every key, gadget and menu event into a row of this table and runs
// its command in one place (ui/Commands.cpp), where a change of the main
// board becomes one undo step. README's table of keys lists the rows that
// have keys, in this order, and a test holds it to them.
//
// To add a command: a value of Command, a row below, its case in RunCommand,
// and its line in README's table of keys.

#include <array>

#include "ui/Resources.h"

enum class Command {
  kToggleDigit,  // the digit box of the key's digit, or the box clicked
  kClearCell,    // every digit of the selected cell
  kToggleLock,   // the box "sichern"
  kSelectCell,   // the board clicked: the cell under the pointer
  kMove,         // the selection moved by the key
  kOpen,
  kShowFileMenu,
  kSave,
  kPrint,
  kCreate,
  kShowSolveMenu,
  kSolveAll,
  kSolveStep,
  kCheck,
  kClear,
  kPaste,        // a puzzle as text from the clipboard
  kCopy,         // the board as a line of 81 characters onto the clipboard
  kHint,          // the hint, in three presses
  kCandidates,    // the allowed digits as marks of every empty cell
  kCheckSolution, // the entries held to the puzzle's solution
  kRating,        // the puzzle's rating
  kStop,
  kUndo,
  kRedo,
  kQuit,
};

// When a command applies; at other times its events are dropped.
enum class Applies {
  kIdle,          // whenever the main loop waits for the next event
  kUnlockedCell,  // as kIdle, and only while the selected cell is not locked
  kBusy,          // only while a solve or a new puzzle runs (STOP)
};

constexpr int kMostChords = 10;
constexpr int kNoGadget = -1;
constexpr int kNoMenuItem = -1;

struct CommandRow {
  Command command;
  std::array<Chord, kMostChords> chords;  // each exact, unused ones last
  int firstGadget;                        // the gadgets firstGadget to lastGadget, or kNoGadget
  int lastGadget;
  int menuItem;                           // or kNoMenuItem
  Applies applies;
};

inline constexpr int kCtrl = kControlKey;
inline constexpr int kCtrlShift = kControlKey | kShiftKey;

// The rows, in the order of README's table of keys.
inline constexpr std::array kCommandTable{
    CommandRow{Command::kToggleDigit,
               {{{'1'}, {'2'}, {'3'}, {'4'}, {'5'}, {'6'}, {'7'}, {'8'}, {'9'}}},
               kFirstDigitBox, kFirstDigitBox + 8, kNoMenuItem, Applies::kUnlockedCell},
    CommandRow{Command::kClearCell, {{{kKeyDelete}, {kKeyBackspace}, {'0'}}}, kNoGadget, kNoGadget, kNoMenuItem,
               Applies::kUnlockedCell},
    CommandRow{Command::kToggleLock, {{{'S'}}}, kLockBox, kLockBox, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kSelectCell, {}, kBoardGadget, kBoardGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kMove,
               {{{kKeyLeft}, {kKeyRight}, {kKeyUp}, {kKeyDown}, {kKeyHome}, {kKeyEnd}, {kKeyHome, kCtrl},
                 {kKeyEnd, kCtrl}, {kKeyPageUp}, {kKeyPageDown}}},
               kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kOpen, {{{'O', kCtrl}}}, kOpenButton, kOpenButton, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kShowFileMenu, {}, kFileButton, kFileButton, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kSave, {{{'S', kCtrl}}}, kNoGadget, kNoGadget, kSaveItem, Applies::kIdle},
    CommandRow{Command::kPrint, {{{'P', kCtrl}}}, kNoGadget, kNoGadget, kPrintItem, Applies::kIdle},
    CommandRow{Command::kCreate, {{{'N', kCtrl}}}, kCreateButton, kCreateButton, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kShowSolveMenu, {}, kSolveButton, kSolveButton, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kSolveAll, {{{'L', kCtrl}}}, kNoGadget, kNoGadget, kSolveAllItem, Applies::kIdle},
    CommandRow{Command::kSolveStep, {{{'E', kCtrl}}}, kNoGadget, kNoGadget, kSolveStepItem, Applies::kIdle},
    CommandRow{Command::kCheck, {{{'F', kCtrl}}}, kNoGadget, kNoGadget, kCheckItem, Applies::kIdle},
    CommandRow{Command::kClear, {{{kKeyDelete, kCtrl}}}, kClearButton, kClearButton, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kPaste, {{{'V', kCtrl}}}, kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kCopy, {{{'C', kCtrl}}}, kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kHint, {{{'H'}}}, kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kCandidates, {{{'K'}}}, kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kCheckSolution, {{{'F', kCtrlShift}}}, kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kRating, {{{'B'}}}, kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kStop, {{{kKeyEscape}}}, kStopButton, kStopButton, kNoMenuItem, Applies::kBusy},
    CommandRow{Command::kUndo, {{{'Z', kCtrl}}}, kNoGadget, kNoGadget, kNoMenuItem, Applies::kIdle},
    CommandRow{Command::kRedo, {{{'Z', kCtrlShift}, {'Y', kCtrl}}}, kNoGadget, kNoGadget, kNoMenuItem,
               Applies::kIdle},
    CommandRow{Command::kQuit, {{kCloseChords[0], kCloseChords[1]}}, kNoGadget, kNoGadget, kNoMenuItem,
               Applies::kIdle},
};

// The row that has the chord, the gadget or the menu item; null for none.
const CommandRow* RowOfKey(int key, int modifiers);
const CommandRow* RowOfGadget(int gadget);
const CommandRow* RowOfMenuItem(int item);

// Gives the buttons of the rows that apply only while the loop is busy their
// key, as the long commands watch for their button alone (Escape for STOP).
void GiveBusyButtonsTheirKeys();

// Tells assistive technology the first chord of each row with its gadgets
// and menu item (a row of as many chords as gadgets: each gadget its own), so
// that a screen reader speaks the key with the button, box or item.
void TellCommandKeys();
