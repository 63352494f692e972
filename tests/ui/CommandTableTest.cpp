// The table of commands: every row acts by each of its keys and by its
// gadgets or menu item, a chord that no row lists does nothing, and README's
// table of keys is the table's own.

#include <gtest/gtest.h>

#include <QMenu>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "generate/DifficultyDialog.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/LoopDriver.h"
#include "tests/ui/UserScript.h"
#include "ui/CommandTable.h"
#include "ui/Printing.h"

namespace {

std::string KeyName(int key) {
  switch (key) {
    case kKeyBackspace: return "Backspace";
    case kKeyEnter: return "Enter";
    case kKeyEscape: return "Escape";
    case kKeySpace: return "Space";
    case kKeyDelete: return "Delete";
    case kKeyLeft: return "Left";
    case kKeyRight: return "Right";
    case kKeyUp: return "Up";
    case kKeyDown: return "Down";
    case kKeyHome: return "Home";
    case kKeyEnd: return "End";
    case kKeyPageUp: return "Page Up";
    case kKeyPageDown: return "Page Down";
    default: return std::string(1, static_cast<char>(key));
  }
}

// "Ctrl+Shift+Z", as README writes a chord.
std::string ChordName(const Chord& chord) {
  return std::string(chord.modifiers & kControlKey ? "Ctrl+" : "") + (chord.modifiers & kShiftKey ? "Shift+" : "") +
         (chord.modifiers & kAltKey ? "Alt+" : "") + (chord.modifiers & kSuperKey ? "Super+" : "") +
         KeyName(chord.key);
}

// The first column of each row of README's table of keys.
std::vector<std::string> ReadmeKeyColumn() {
  std::ifstream file(SUDOKU_SOURCE_DIR "/README.md");
  std::vector<std::string> keys;
  std::string line;
  bool inSection = false;
  while (std::getline(file, line)) {
    if (line.starts_with("## ")) inSection = line == "## Keys";
    if (!inSection || !line.starts_with("| ") || line.starts_with("| keys |")) continue;
    keys.push_back(line.substr(2, line.find(" |", 2) - 2));
  }
  return keys;
}

Qt::Key QtKey(int key) {
  if (key >= '0' && key <= '9') return static_cast<Qt::Key>(Qt::Key_0 + key - '0');
  if (key >= 'A' && key <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + key - 'A');
  switch (key) {
    case kKeyBackspace: return Qt::Key_Backspace;
    case kKeyEnter: return Qt::Key_Return;
    case kKeyEscape: return Qt::Key_Escape;
    case kKeySpace: return Qt::Key_Space;
    case kKeyDelete: return Qt::Key_Delete;
    case kKeyLeft: return Qt::Key_Left;
    case kKeyRight: return Qt::Key_Right;
    case kKeyUp: return Qt::Key_Up;
    case kKeyDown: return Qt::Key_Down;
    case kKeyHome: return Qt::Key_Home;
    case kKeyEnd: return Qt::Key_End;
    case kKeyPageUp: return Qt::Key_PageUp;
    default: return Qt::Key_PageDown;
  }
}

Qt::KeyboardModifiers QtModifiers(int modifiers) {
  Qt::KeyboardModifiers held;
  if (modifiers & kShiftKey) held |= Qt::ShiftModifier;
  if (modifiers & kControlKey) held |= Qt::ControlModifier;
  if (modifiers & kAltKey) held |= Qt::AltModifier;
  if (modifiers & kSuperKey) held |= Qt::MetaModifier;
  return held;
}

bool PressChord(int window, const Chord& chord) {
  return Press(window, QtKey(chord.key), QtModifiers(chord.modifiers));
}

// A left click on a gadget of the main window or the cell editor: a box where
// it ticks, the board on the pointer's cell, a button anywhere.
bool ClickGadget(int gadget) {
  QWidget* widget = GadgetWidget(gadget);
  if (gadget >= kFirstDigitBox && gadget <= kLockBox)
    QTest::mouseClick(widget, Qt::LeftButton, {}, BoxCentre(gadget));
  else if (gadget == kBoardGadget)
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->mapFromGlobal(QCursor::pos()));
  else
    QTest::mouseClick(widget, Qt::LeftButton);
  return RunPendingPasses();
}

// The item of a pop-up menu, chosen as a person does: the button that shows
// the menu, then a click on the item.
bool ChooseMenuItem(int item) {
  const bool fileMenu = item == kSaveItem || item == kPrintItem;
  ClickGadget(fileMenu ? kFileButton : kSolveButton);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu) {
    ADD_FAILURE() << "no menu for item " << item;
    return true;
  }
  std::vector<QAction*> items;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) items.push_back(action);
  QAction* chosen = items.at(static_cast<std::size_t>(item - (fileMenu ? kSaveItem : kSolveAllItem)));
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
  return RunPendingPasses();
}

// The texts of the pop-up menu shown, which is then closed; empty for none.
std::vector<std::string> ShownMenu() {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  std::vector<std::string> texts;
  if (!menu) return texts;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) texts.push_back(action->text().toStdString());
  menu->close();
  return texts;
}

// Everything a command may change.
struct Seen {
  Board board;
  int column, row, errorColumn, undoSteps, redoSteps;
  bool cue;
  std::string editorTitle;
  bool dialogOpen;
  bool operator==(const Seen&) const = default;
};

Seen Look() {
  const bool dialog = WindowExists(kSettingsWindow) || WindowExists(kSelectionWindow) ||
                      WindowExists(kPreviewWindow) || QApplication::activeModalWidget() ||
                      QApplication::activePopupWidget();
  return {gMainBoard, gSelectedColumn, gSelectedRow, gErrorColumn, UndoSteps(), RedoSteps(), gFocusCueShown,
          WindowTitle(kCellEditorWindow), dialog};
}

// A board with givens, entries and candidates, E5 selected (no key pressed
// yet) and an error shown: what a command changes shows against it.
void SetTheScene() {
  LoadGrid(SolvedGrid(), true);
  for (auto [col, row] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{8, 3}}) {
    SetCandidates(col, row, "");
    At(col, row).locked = 0;
  }
  SetCandidates(5, 5, "46");
  At(5, 5).locked = 0;
  SelectCell(5, 5);
  ClearHistory();
  gErrorColumn = 3;
  gErrorRow = 7;
  gFocusCueShown = false;
  RunPendingPasses();
  SyncCellEditor();  // as the next pass will
}

// Where a move from E5 lands.
std::pair<int, int> MovedFromE5(const Chord& chord) {
  const bool control = chord.modifiers == kControlKey;
  switch (chord.key) {
    case kKeyLeft: return {4, 5};
    case kKeyRight: return {6, 5};
    case kKeyUp: return {5, 4};
    case kKeyDown: return {5, 6};
    case kKeyHome: return {1, control ? 1 : 5};
    case kKeyEnd: return {9, control ? 9 : 5};
    case kKeyPageUp: return {5, 1};
    default: return {5, 9};
  }
}

// What each key, gadget and menu item does, written here apart from the
// program's table: a row that runs the wrong command for one of its ways
// shows as that way doing something else.
const std::map<std::string, Command> kExpectedCommands = [] {
  std::map<std::string, Command> expected{
      {"Delete", Command::kClearCell}, {"Backspace", Command::kClearCell}, {"0", Command::kClearCell},
      {"S", Command::kToggleLock}, {"gadget 23", Command::kToggleLock}, {"gadget 1", Command::kSelectCell},
      {"Ctrl+O", Command::kOpen}, {"gadget 2", Command::kOpen}, {"gadget 3", Command::kShowFileMenu},
      {"Ctrl+S", Command::kSave}, {"menu item 9", Command::kSave}, {"Ctrl+P", Command::kPrint},
      {"menu item 10", Command::kPrint}, {"Ctrl+N", Command::kCreate}, {"gadget 4", Command::kCreate},
      {"gadget 5", Command::kShowSolveMenu}, {"Ctrl+L", Command::kSolveAll}, {"menu item 11", Command::kSolveAll},
      {"Ctrl+E", Command::kSolveStep}, {"menu item 12", Command::kSolveStep}, {"Ctrl+F", Command::kCheck},
      {"menu item 13", Command::kCheck}, {"Ctrl+Delete", Command::kClear}, {"gadget 6", Command::kClear},
      {"Ctrl+V", Command::kPaste}, {"Ctrl+C", Command::kCopy}, {"H", Command::kHint},
      {"K", Command::kCandidates}, {"Ctrl+Shift+F", Command::kCheckSolution}, {"B", Command::kRating},
      {"Escape", Command::kStop},
      {"gadget 8", Command::kStop}, {"Ctrl+Z", Command::kUndo}, {"Ctrl+Shift+Z", Command::kRedo},
      {"Ctrl+Y", Command::kRedo}, {"Ctrl+Q", Command::kQuit}, {"Ctrl+W", Command::kQuit}};
  for (int digit = 1; digit <= 9; ++digit) {
    expected[std::to_string(digit)] = Command::kToggleDigit;
    expected["gadget " + std::to_string(13 + digit)] = Command::kToggleDigit;
  }
  for (const char* move : {"Left", "Right", "Up", "Down", "Home", "End", "Ctrl+Home", "Ctrl+End", "Page Up",
                           "Page Down"})
    expected[move] = Command::kMove;
  return expected;
}();

// One way to run a row: one of its chords, pressed in the main window or
// (every other chord) in the cell editor, or a click on one of its gadgets,
// or its menu item. index: the chord's place in the row, or the gadget's
// place from the first.
struct Way {
  std::string name;  // the chord, "gadget n" or "menu item n"
  std::string where;
  int index;
  bool byKey;
  Chord chord;
  int gadget;
  std::function<bool()> run;  // false when the pass ended the loop
};

std::vector<Way> WaysOf(const CommandRow& row) {
  std::vector<Way> ways;
  for (int i = 0; i < kMostChords; ++i) {
    const Chord chord = row.chords[static_cast<std::size_t>(i)];
    if (chord.key == 0) continue;
    const int window = i % 2 == 0 ? kMainWindow : kCellEditorWindow;
    ways.push_back({ChordName(chord), window == kMainWindow ? " in the main window" : " in the cell editor", i, true,
                    chord, kNoGadget, [window, chord] { return PressChord(window, chord); }});
  }
  for (int gadget = row.firstGadget; row.firstGadget != kNoGadget && gadget <= row.lastGadget; ++gadget)
    ways.push_back({"gadget " + std::to_string(gadget), "", gadget - row.firstGadget, false, {}, gadget,
                    [gadget] { return ClickGadget(gadget); }});
  if (row.menuItem != kNoMenuItem)
    ways.push_back({"menu item " + std::to_string(row.menuItem), "", 0, false, {}, kNoGadget,
                    [item = row.menuItem] { return ChooseMenuItem(item); }});
  return ways;
}

class CommandRows : public Interaction {
 protected:
  TempFolder folder_;
};

// Each row by each of its ways, its effect checked, against a scene where
// doing nothing shows.
TEST_F(CommandRows, EveryRowActsByEachOfItsKeysAndByItsGadgetOrMenuItem) {
  const std::string solved = SolvedGrid();
  int files = 0;
  std::size_t ways = 0;
  for (const CommandRow& row : kCommandTable) {
    for (const Way& way : WaysOf(row)) {
      SCOPED_TRACE(way.name + way.where);
      ++ways;
      const auto expectation = kExpectedCommands.find(way.name);
      if (expectation == kExpectedCommands.end()) {
        ADD_FAILURE() << "nothing is expected of " << way.name;
        continue;
      }
      SetTheScene();
      const Seen before = Look();
      Script script;
      bool goesOn = true;
      switch (expectation->second) {
        case Command::kToggleDigit: {
          const int digit = way.byKey ? way.chord.key - '0' : way.gadget - kFirstDigitBox + 1;
          goesOn = way.run();
          Cell expected = before.board[5][5];
          expected.candidate[static_cast<std::size_t>(digit - 1)] = digit == 4 || digit == 6 ? 0 : 1;
          EXPECT_EQ(At(5, 5), expected);
          EXPECT_EQ(GetGadgetState(kFirstDigitBox + digit - 1),
                    expected.candidate[static_cast<std::size_t>(digit - 1)]);
          EXPECT_EQ(gErrorColumn, -1);
          EXPECT_EQ(UndoSteps(), 1);
          EXPECT_EQ(gFocusCueShown, way.byKey) << "a key shows the focus cue, a click does not";
          At(5, 5).locked = 1;
          SyncCellEditor();
          const Cell locked = At(5, 5);
          way.run();
          EXPECT_EQ(At(5, 5), locked) << "a locked cell keeps its digits";
          break;
        }
        case Command::kClearCell:
          goesOn = way.run();
          EXPECT_EQ(At(5, 5), Cell{});
          EXPECT_EQ(UndoSteps(), 1);
          SetCandidates(5, 5, "2");
          At(5, 5).locked = 1;
          way.run();
          EXPECT_EQ(At(5, 5).candidate[1], 1) << "a locked cell keeps its digits";
          break;
        case Command::kToggleLock:
          goesOn = way.run();
          EXPECT_EQ(At(5, 5).locked, 1);
          EXPECT_TRUE(GadgetDisabled(kFirstDigitBox));
          EXPECT_EQ(At(5, 5).candidate, before.board[5][5].candidate);
          way.run();
          EXPECT_EQ(At(5, 5).locked, 0) << "a locked cell can always be unlocked";
          break;
        case Command::kSelectCell:
          PointAt(33 * 3 + 10, 33 * 7 + 20);  // C7
          goesOn = way.run();
          EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld C7");
          EXPECT_EQ(gMainBoard, before.board);
          break;
        case Command::kMove: {
          goesOn = way.run();
          const auto [col, line] = MovedFromE5(way.chord);
          EXPECT_EQ(std::pair(gSelectedColumn, gSelectedRow), std::pair(col, line));
          EXPECT_TRUE(gFocusCueShown);
          EXPECT_EQ(UndoSteps(), 0) << "a move changes no cell";
          break;
        }
        case Command::kOpen: {
          const std::string path = folder_.Path("open" + std::to_string(++files) + ".sdk");
          ClearBoard(gMainBoard);
          LoadGrid(solved);
          SavePuzzle(path);
          const Board saved = gMainBoard;
          SetTheScene();
          script.WhenFileDialog(QStringLiteral(u"Öffnen"), [path] { EnterPath(QStringLiteral(u"Öffnen"), path); });
          goesOn = way.run();
          EXPECT_TRUE(script.Done());
          EXPECT_EQ(gMainBoard, saved);
          EXPECT_EQ(gPuzzlePath, path);
          break;
        }
        case Command::kSave: {
          const std::string path = folder_.Path("save" + std::to_string(++files));
          script.WhenFileDialog(QStringLiteral("Speichern"), [path] { EnterPath(QStringLiteral("Speichern"), path); });
          goesOn = way.run();
          EXPECT_TRUE(script.Done());
          ClearBoard(gMainBoard);
          LoadPuzzle(path + ".sdk");
          EXPECT_EQ(gMainBoard, before.board);
          break;
        }
        case Command::kPrint:
          script.WhenGadget(kSelectionCancel, [] { Click(kSelectionCancel); });
          goesOn = way.run();
          EXPECT_TRUE(script.Done()) << "the print selection opened";
          EXPECT_FALSE(WindowExists(kSelectionWindow));
          // The menu's button ends it, but not the key.
          EXPECT_EQ(gErrorColumn, way.byKey ? 3 : -1) << "a menu item's command keeps the error display";
          break;
        case Command::kCreate:
          gDifficulty = 20;
          script.WhenGadget(kSettingsGoOn, [] { Click(kSettingsGoOn); });
          goesOn = way.run();
          EXPECT_TRUE(script.Done()) << "the dialog \"Einstellungen\" opened";
          EXPECT_EQ(std::ranges::count(GridText(), '.'), 20) << GridText();
          EXPECT_EQ(UndoSteps(), 1);
          break;
        case Command::kShowFileMenu:
          goesOn = way.run();
          EXPECT_EQ(ShownMenu(), (std::vector<std::string>{"Speichern", "Drucken"}));
          break;
        case Command::kShowSolveMenu:
          goesOn = way.run();
          EXPECT_EQ(ShownMenu().size(), 3U);
          break;
        case Command::kSolveAll: {
          goesOn = way.run();
          std::string expected = solved;
          expected[40] = '.';  // E5 holds two candidates, which no solve decides
          EXPECT_EQ(GridText(), expected);
          EXPECT_EQ(UndoSteps(), 1);
          break;
        }
        case Command::kSolveStep:
          goesOn = way.run();
          EXPECT_EQ(GridText()[0], solved[0]) << "one step fills A1";
          EXPECT_EQ(GridText()[10], '.') << "and only A1";
          EXPECT_EQ(GridText()[25], '.');
          break;
        case Command::kCheck:
          SetCandidates(1, 1, std::string(1, solved[1]));  // A1 repeats B1's digit
          gErrorColumn = -1;
          goesOn = way.run();
          EXPECT_EQ(gErrorColumn, 1);
          EXPECT_EQ(gErrorRow, 1);
          break;
        case Command::kClear:
          goesOn = way.run();
          EXPECT_EQ(gMainBoard, Board{});
          EXPECT_EQ(UndoSteps(), 1);
          break;
        case Command::kPaste: {
          SetClipboardText("kein R\xE4tsel");
          goesOn = way.run();
          EXPECT_EQ(gMainBoard, before.board) << "text that is no puzzle changes nothing";
          EXPECT_EQ(GetGadgetText(kStatusGadget), "Kein R\xE4tsel erkannt") << "but the status line";
          EXPECT_EQ(UndoSteps(), 0);
          std::string line = solved;
          line[1] = '.';
          line[79] = '0';
          ClearBoard(gMainBoard);
          LoadGrid(line, true);
          const Board pasted = gMainBoard;
          SetTheScene();
          SetClipboardText(" " + line + "\r\n");
          goesOn = way.run();
          EXPECT_EQ(gMainBoard, pasted) << "the givens locked, every other field 0";
          EXPECT_EQ(GetGadgetText(kStatusGadget), "") << "the refusal goes with the next puzzle";
          EXPECT_EQ(UndoSteps(), 1);
          break;
        }
        case Command::kCopy:
          SetClipboardText("something else");
          goesOn = way.run();
          EXPECT_EQ(ClipboardText(200), GridText()) << "filled cells' digits, '.' for the others";
          EXPECT_EQ(gMainBoard, before.board);
          EXPECT_EQ(UndoSteps(), 0);
          break;
        case Command::kHint: {
          // E5's marks lack the solution's 9: that comes first, blinking red.
          goesOn = way.run();
          EXPECT_EQ(GetGadgetText(kStatusGadget), "E5 passt nicht zur L\xF6sung.");
          EXPECT_EQ(std::pair(gErrorColumn, gErrorRow), std::pair(5, 5));
          EXPECT_EQ(gMainBoard, before.board);
          SetCandidates(5, 5, "49");
          way.run();
          EXPECT_EQ(GetGadgetText(kStatusGadget), "Letztes freies Feld in Block 3.");
          way.run();
          EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld H3");
          EXPECT_EQ(UndoSteps(), 0);
          way.run();
          EXPECT_EQ(GridText()[2 * 9 + 7], solved[2 * 9 + 7]) << "H3 filled";
          EXPECT_EQ(UndoSteps(), 1);
          break;
        }
        case Command::kCandidates:
          goesOn = way.run();
          for (std::size_t cell : {0U, 10U, 25U}) EXPECT_EQ(GridText()[cell], solved[cell]);
          EXPECT_EQ(At(5, 5), before.board[5][5]) << "marks are kept";
          EXPECT_EQ(UndoSteps(), 1);
          EXPECT_EQ(gErrorColumn, -1);
          break;
        case Command::kCheckSolution:
          gErrorColumn = -1;
          goesOn = way.run();
          EXPECT_EQ(GetGadgetText(kStatusGadget), "E5 passt nicht zur L\xF6sung.");
          EXPECT_EQ(std::pair(gErrorColumn, gErrorRow), std::pair(5, 5));
          EXPECT_EQ(UndoSteps(), 0);
          break;
        case Command::kRating:
          goesOn = way.run();
          EXPECT_EQ(GetGadgetText(kStatusGadget), "Schwierigkeit 1,0: Letztes freies Feld.");
          EXPECT_EQ(gMainBoard, before.board);
          break;
        case Command::kStop:
          // While the loop waits the STOP button is hidden and Escape does
          // nothing; while a solve runs, the solve's own poll takes it.
          if (way.byKey) {
            goesOn = way.run();
            EXPECT_EQ(Look(), before);
          }
          HideGadget(kStopButton, false);
          if (way.byKey)
            QTest::keyClick(WindowHandle(way.index % 2 == 0 ? kMainWindow : kCellEditorWindow), Qt::Key_Escape);
          else
            QTest::mouseClick(GadgetWidget(kStopButton), Qt::LeftButton);
          EXPECT_TRUE(PollForStop());
          HideGadget(kStopButton, true);
          for (int window : {kMainWindow, kCellEditorWindow}) {
            QTest::keyClick(WindowHandle(window), Qt::Key_Escape);
            EXPECT_FALSE(PollForStop()) << "no STOP while it is hidden";
          }
          break;
        case Command::kUndo:
          Press(kMainWindow, Qt::Key_Delete);
          ASSERT_EQ(UndoSteps(), 1);
          goesOn = way.run();
          EXPECT_EQ(gMainBoard, before.board);
          EXPECT_EQ(RedoSteps(), 1);
          break;
        case Command::kRedo: {
          Press(kMainWindow, Qt::Key_Delete);
          const Board cleared = gMainBoard;
          Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier);
          goesOn = way.run();
          EXPECT_EQ(gMainBoard, cleared);
          EXPECT_EQ(UndoSteps(), 1);
          break;
        }
        case Command::kQuit:
          goesOn = way.run();
          EXPECT_FALSE(goesOn) << "the loop ends";
          EXPECT_EQ(gMainBoard, before.board);
          break;
      }
      EXPECT_EQ(goesOn, expectation->second != Command::kQuit);
      EXPECT_FALSE(Look().dialogOpen);
    }
  }
  EXPECT_EQ(ways, kExpectedCommands.size()) << "every key, gadget and menu item expected is in the table";
}

// A chord is exact: one of a row's chords with Shift, Ctrl, Alt or Super
// added or taken away, when no row lists it, changes nothing at all; so do
// Super+S, Super+1, Shift+Escape and Shift+Enter (no button is pressed). A
// digit with Shift is the digit, as keyboards such as AZERTY type it.
TEST_F(CommandRows, AChordThatNoRowListsDoesNothing) {
  std::vector<Chord> unlisted{{'S', kShiftKey},     {'Q', kCtrlShift},         {kKeyDelete, kCtrlShift},
                              {'S', kSuperKey},     {'1', kSuperKey},          {kKeyEscape, kShiftKey},
                              {kKeyEnter, kShiftKey}, {kKeyEnter, kSuperKey}};
  const auto isDigit = [](int key) { return key >= '0' && key <= '9'; };
  for (const CommandRow& row : kCommandTable)
    for (const Chord& chord : row.chords)
      for (int modifier : {kShiftKey, kControlKey, kAltKey, kSuperKey}) {
        const Chord other{chord.key, chord.modifiers ^ modifier};
        const bool typedDigit = isDigit(other.key) && other.modifiers == kShiftKey;
        if (chord.key != 0 && !RowOfKey(other.key, other.modifiers) && !typedDigit) unlisted.push_back(other);
      }
  ASSERT_GT(unlisted.size(), 80U);
  SetTheScene();
  const Seen before = Look();
  for (const Chord& chord : unlisted) {
    for (int window : {kMainWindow, kCellEditorWindow}) {
      EXPECT_TRUE(PressChord(window, chord)) << ChordName(chord);
      EXPECT_EQ(Look(), before) << ChordName(chord) << " in window " << window;
    }
  }
  EXPECT_TRUE(PressChord(kCellEditorWindow, {'7', kShiftKey}));
  EXPECT_EQ(At(5, 5).candidate[6], 1) << "Shift+7 enters the 7";
}

TEST(CommandTable, ReadmeListsEveryRowWithKeysInOrderWithExactlyItsChords) {
  std::vector<std::string> expected;
  for (const CommandRow& row : kCommandTable) {
    std::string names;
    for (const Chord& chord : row.chords)
      if (chord.key != 0) names += (names.empty() ? "" : ", ") + ChordName(chord);
    if (!names.empty()) expected.push_back(names);
  }
  EXPECT_EQ(ReadmeKeyColumn(), expected);
}

TEST(CommandTable, EveryChordGadgetAndMenuItemHasOneRow) {
  for (const CommandRow& row : kCommandTable) {
    for (const Chord& chord : row.chords) {
      if (chord.key != 0) {
        EXPECT_EQ(RowOfKey(chord.key, chord.modifiers), &row) << ChordName(chord);
      }
    }
    for (int gadget = row.firstGadget; row.firstGadget != kNoGadget && gadget <= row.lastGadget; ++gadget) {
      EXPECT_EQ(RowOfGadget(gadget), &row) << "gadget " << gadget;
    }
    if (row.menuItem != kNoMenuItem) {
      EXPECT_EQ(RowOfMenuItem(row.menuItem), &row) << "item " << row.menuItem;
    }
  }
}

}  // namespace
