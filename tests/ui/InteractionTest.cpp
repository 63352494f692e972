// The program's loop driven as a person drives it: real mouse clicks on the
// real gadgets, real key presses into the windows, each followed by the
// passes of the main loop that handle them.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include "board/History.h"
#include "generate/DifficultyDialog.h"
#include "platform/qt/State.h"
#include "solve/ErrorCheck.h"
#include "storage/Settings.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/LoopDriver.h"
#include "tests/ui/UiTestSupport.h"
#include "tests/ui/UserScript.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardNames.h"
#include "ui/CellEditor.h"
#include "ui/EventLoop.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"
#include "ui/Resources.h"

namespace {

TEST_F(Interaction, KeysEditAndMoveTheSelectedCellAsTheBoxesDo) {
  ASSERT_TRUE(Press(kMainWindow, Qt::Key_Right));
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld A1") << "the first move selects A1";
  for (int i = 0; i < 4; ++i) Press(kMainWindow, Qt::Key_Right), Press(kCellEditorWindow, Qt::Key_Down);
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld E5");

  Press(kMainWindow, Qt::Key_7);
  Press(kCellEditorWindow, Qt::Key_3);  // with the box "1" of the editor focused
  Press(kMainWindow, Qt::Key_3);
  EXPECT_EQ(CellSpokenName(5, 5), "E5: 7");
  EXPECT_EQ(GetGadgetState(kFirstDigitBox + 6), 1) << "the box follows in the same pass";
  Press(kMainWindow, Qt::Key_5, Qt::KeypadModifier);
  EXPECT_EQ(CellSpokenName(5, 5), "E5: Kandidaten 5, 7");
  Press(kMainWindow, Qt::Key_S);
  EXPECT_TRUE(GadgetDisabled(kFirstDigitBox));
  Press(kMainWindow, Qt::Key_2);
  Press(kMainWindow, Qt::Key_Delete);
  EXPECT_EQ(CellSpokenName(5, 5), "E5: Kandidaten 5, 7, vorgegeben") << "a locked cell keeps its candidates";
  Press(kCellEditorWindow, Qt::Key_S);
  Press(kMainWindow, Qt::Key_Backspace);
  EXPECT_EQ(CellSpokenName(5, 5), "E5: leer");
  EXPECT_EQ(At(5, 5), Cell{});

  Press(kMainWindow, Qt::Key_End);
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld I5");
  Press(kMainWindow, Qt::Key_PageUp);
  Press(kMainWindow, Qt::Key_Right);
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld I1") << "moves stop at the board's edge";
  Press(kMainWindow, Qt::Key_Home, Qt::ControlModifier);
  Press(kMainWindow, Qt::Key_PageDown);
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld A9");
  Press(kMainWindow, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld I9");

  gErrorColumn = 2;
  Press(kMainWindow, Qt::Key_L, Qt::ControlModifier);  // as the menu item: the error display stays
  EXPECT_EQ(gErrorColumn, 2);
  Press(kMainWindow, Qt::Key_1);  // as a box: it ends
  EXPECT_EQ(gErrorColumn, -1);
  Press(kMainWindow, Qt::Key_1, Qt::AltModifier);
  Press(kMainWindow, Qt::Key_F1);
  EXPECT_EQ(CellSpokenName(9, 9), "I9: 1");
}

TEST_F(Interaction, ABoxClickChangesTheCellOnceWhateverComesAroundIt) {
  QWidget* box = GadgetWidget(kFirstDigitBox);
  // Pointer movement taken ahead of the click sets the box back from the
  // cell before the click's own pass.
  QTest::mouseMove(WindowHandle(kCellEditorWindow), box->mapTo(box->window(), BoxCentre(kFirstDigitBox)));
  QTest::mouseClick(box, Qt::LeftButton, {}, BoxCentre(kFirstDigitBox));
  RunPendingPasses();
  EXPECT_EQ(At(0, 0).candidate[0], 1) << "before any selection the boxes edit cell (0, 0)";

  box->setFocus();
  QTest::keyClick(WindowHandle(kCellEditorWindow), Qt::Key_Space);
  RunPendingPasses();
  EXPECT_EQ(At(0, 0).candidate[0], 0) << "Space on the focused box unticks it";

  for (int click = 0; click < 41; ++click) {
    QTest::mouseMove(WindowHandle(kCellEditorWindow), QPoint(60 + click % 3, 150));
    QTest::mouseClick(box, Qt::LeftButton, {}, BoxCentre(kFirstDigitBox));
    if (click % 4 == 0) RunPendingPasses();
  }
  RunPendingPasses();
  EXPECT_EQ(At(0, 0).candidate[0], 1) << "41 clicks leave the box ticked";
  EXPECT_EQ(GetGadgetState(kFirstDigitBox), 1);
}

// Events taken in one batch, as when the program was busy while they came:
// each box event counts, and none changes a cell that an earlier one locked.
TEST_F(Interaction, BoxEventsOfOneBatchAllCountAndNoneChangesALockedCell) {
  Press(kMainWindow, Qt::Key_Right);
  Press(kMainWindow, Qt::Key_Down);  // A2
  const auto click = [](int gadget) { QTest::mouseClick(GadgetWidget(gadget), Qt::LeftButton, {}, BoxCentre(gadget)); };
  click(kLockBox);
  click(kFirstDigitBox);  // still enabled when clicked
  QTest::keyClick(WindowHandle(kMainWindow), Qt::Key_2);
  RunPendingPasses();
  EXPECT_EQ(At(1, 2).locked, 1);
  EXPECT_EQ(At(1, 2).candidate, (std::array<int, 9>{})) << "the cell became locked first";
  EXPECT_EQ(GetGadgetState(kFirstDigitBox), 0) << "the box shows the cell";
  EXPECT_TRUE(GadgetDisabled(kFirstDigitBox));

  Press(kCellEditorWindow, Qt::Key_S);
  QTest::keyClick(WindowHandle(kMainWindow), Qt::Key_3);
  click(kFirstDigitBox + 2);
  click(kFirstDigitBox + 4);
  QTest::keyClick(WindowHandle(kCellEditorWindow), Qt::Key_5);
  QTest::keyClick(WindowHandle(kMainWindow), Qt::Key_7);
  click(kFirstDigitBox + 6);
  click(kFirstDigitBox + 6);
  RunPendingPasses();
  EXPECT_EQ(CellSpokenName(1, 2), "A2: 7") << "a key and a click on one box both count, in either order";
  EXPECT_EQ(GetGadgetState(kFirstDigitBox + 2), 0);
  EXPECT_EQ(GetGadgetState(kFirstDigitBox + 6), 1);
}

// While a dialog or the preview is open, keys pressed in the main window or
// the cell editor press none of its buttons; only the chord of "quit" acts,
// as the dialog's close box, where a close box ends it.
TEST_F(Interaction, KeysInTheMainWindowsPressNoButtonOfADialog) {
  const auto pressEverywhereButTheDialog = [] {
    QTest::mouseClick(GadgetWidget(kBoardGadget), Qt::LeftButton);  // dropped, but the board takes the keys
    for (int window : {kMainWindow, kCellEditorWindow})
      for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_1})
        QTest::keyClick(WindowHandle(window), key);
    QTest::keyClick(WindowHandle(kMainWindow), Qt::Key_N, Qt::ControlModifier);
  };
  gDifficulty = 35;
  bool stayedOpen = false;
  Script settings;
  settings.WhenGadget(kSettingsGoOn, pressEverywhereButTheDialog)
      .When([] { return true; },
            [&] {
              stayedOpen = WindowExists(kSettingsWindow);
              QTest::keyClick(WindowHandle(kMainWindow), Qt::Key_Q, Qt::ControlModifier);
            })
      .When([] { return WindowExists(kSettingsWindow); }, [] { Click(kSettingsCancel); });  // should Ctrl+Q fail
  EXPECT_TRUE(Press(kMainWindow, Qt::Key_N, Qt::ControlModifier)) << "the program goes on";
  EXPECT_FALSE(settings.Done()) << "Ctrl+Q ended the dialog at once";
  EXPECT_TRUE(stayedOpen) << "neither \"Weiter\" nor \"Abbruch\" was pressed";
  EXPECT_FALSE(WindowExists(kSettingsWindow)) << "Ctrl+Q in the main window closed it as its close box";
  EXPECT_EQ(GridText(), std::string(81, '.')) << "nothing was made";
  EXPECT_EQ(gSelectedColumn, 0) << "no key or click reached the board";

  bool selectionStayed = false, previewStayed = false;
  Script printing;
  printing.WhenGadget(kSelectionPrint, pressEverywhereButTheDialog)
      .When([] { return true; },
            [&] {
              selectionStayed = WindowExists(kSelectionWindow) && !WindowExists(kPreviewWindow);
              Click(kSelectionPrint);
            })
      .WhenGadget(kPreviewCancel,
                  [&] {
                    pressEverywhereButTheDialog();
                    QTest::keyClick(WindowHandle(kCellEditorWindow), Qt::Key_W, Qt::ControlModifier);
                  })
      .When([] { return true; },
            [&] {
              previewStayed = WindowExists(kPreviewWindow);
              QTest::keyClick(WindowHandle(kPreviewWindow), Qt::Key_Escape);
            })
      .WhenBox(QStringLiteral("Image"), [] { Answer(QStringLiteral("Image"), QMessageBox::No); });
  EXPECT_TRUE(Press(kMainWindow, Qt::Key_P, Qt::ControlModifier));
  EXPECT_TRUE(printing.Done());
  EXPECT_TRUE(selectionStayed) << "neither \"Drucken\" nor \"Abbrechen\" of the selection was pressed";
  EXPECT_TRUE(previewStayed) << "the preview ends by its own buttons only";
  EXPECT_FALSE(WindowExists(kSelectionWindow));

  Script quit;
  quit.WhenGadget(kSelectionPrint,
                  [] { QTest::keyClick(WindowHandle(kSelectionWindow), Qt::Key_W, Qt::ControlModifier); })
      .When([] { return WindowExists(kSelectionWindow); }, [] { Click(kSelectionCancel); });  // should Ctrl+W fail
  EXPECT_TRUE(Press(kMainWindow, Qt::Key_P, Qt::ControlModifier));
  EXPECT_FALSE(quit.Done()) << "Ctrl+W ended the dialog at once";
  EXPECT_FALSE(WindowExists(kSelectionWindow)) << "Ctrl+W in the dialog closed it as its close box";
}

TEST_F(Interaction, OnlyAClickOnTheBoardSelectsACellAndEndsTheFocusCue) {
  QWidget* board = GadgetWidget(kBoardGadget);
  const int x = 20 + 33 * 4 + 16, y = 20 + 33 * 4 + 16;  // E5
  PointAt(x, y);
  QTest::mousePress(board, Qt::LeftButton, {}, BoardPoint(x, y));
  for (int step = 1; step <= 4; ++step) QTest::mouseMove(board, BoardPoint(x + 6 * step, y));
  QTest::mouseRelease(board, Qt::LeftButton, {}, BoardPoint(x + 24, y));
  gErrorColumn = 1;
  RunPendingPasses();
  EXPECT_EQ(gSelectedColumn, 0) << "a drag selects nothing";
  EXPECT_EQ(gErrorColumn, -1) << "but it is a gadget event";

  QTest::mouseClick(board, Qt::LeftButton, {}, BoardPoint(x, y));
  RunPendingPasses();
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld E5");
  EXPECT_EQ(CountOnWindow(kFocusCue, 0, 0, 379, 339), 0) << "a mouse user never sees the cue";

  Press(kMainWindow, Qt::Key_Down);
  // Two pixels wide along the inside of E6's grid lines: x 154 to 185, y 187 to 218.
  EXPECT_EQ(CountOnWindow(kFocusCue, 154, 187, 185, 218), 124 + 116);
  EXPECT_EQ(WindowPixel(154, 187), kFocusCue);
  EXPECT_NE(WindowPixel(156, 189), kFocusCue);
  EXPECT_EQ(CountOnWindow(kFocusCue, 0, 0, 379, 339), 240) << "nowhere else";
  PointAt(x, y);
  QTest::mouseClick(board, Qt::RightButton, {}, BoardPoint(x, y));
  RunPendingPasses();
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld E6") << "a right click selects nothing";
  EXPECT_EQ(CountOnWindow(kFocusCue, 0, 0, 379, 339), 0) << "and the cue is gone";
}

TEST_F(Interaction, CommandKeysActAsTheirButtonsAndMenuItems) {
  LoadGrid(SolvedGrid(), true);
  SetCandidates(1, 1, "");
  At(1, 1).locked = 0;
  SetCandidates(2, 2, "");
  At(2, 2).locked = 0;
  const std::string solved = SolvedGrid();
  Press(kMainWindow, Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(GridText()[0], solved[0]) << "one step fills A1";
  EXPECT_EQ(GridText()[10], '.');
  Press(kMainWindow, Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(GridText(), solved);

  SetCandidates(1, 1, std::string(1, solved[1]));  // A1 now repeats B1's digit
  Press(kMainWindow, Qt::Key_F, Qt::ControlModifier);
  EXPECT_GE(gErrorColumn, 1) << "the error check found the conflict";

  HideGadget(kStopButton, false);  // as while a solve runs
  QTest::keyClick(WindowHandle(kCellEditorWindow), Qt::Key_Escape);
  EXPECT_TRUE(PollForStop()) << "Escape is the STOP button";
  HideGadget(kStopButton, true);
  QTest::keyClick(WindowHandle(kMainWindow), Qt::Key_Escape);
  EXPECT_FALSE(PollForStop());

  Press(kMainWindow, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(gErrorColumn, -1);
  EXPECT_EQ(gMainBoard, Board{}) << "Ctrl+Delete clears the board";

  // The dialogs answer Escape with their cancel buttons.
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [] {
    for (int window : {kSettingsWindow, kSelectionWindow})
      if (WindowExists(window)) QTest::keyClick(WindowHandle(window), Qt::Key_Escape);
  });
  cancel.start(20);
  gDifficulty = 35;
  Press(kMainWindow, Qt::Key_N, Qt::ControlModifier);
  EXPECT_FALSE(WindowExists(kSettingsWindow));
  EXPECT_EQ(gMainBoard, Board{}) << "\"Abbruch\": nothing is made";
  Press(kMainWindow, Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(WindowExists(kSelectionWindow));

  EXPECT_TRUE(Press(kMainWindow, Qt::Key_S));
  EXPECT_FALSE(Press(kCellEditorWindow, Qt::Key_Q, Qt::ControlModifier)) << "Ctrl+Q ends the loop";
  EXPECT_FALSE(Press(kMainWindow, Qt::Key_W, Qt::ControlModifier));
}

TEST_F(Interaction, EveryChangeCanBeUndoneAndRedoneAndNoChangeMakesNoStep) {
  const Board empty = gMainBoard;
  Press(kMainWindow, Qt::Key_Right);
  Press(kMainWindow, Qt::Key_4);
  const Board one = gMainBoard;
  LoadGrid(SolvedGrid());
  SetCandidates(9, 9, "");
  At(0, 0).candidate[3] = -7;  // a loaded file may hold anything, anywhere
  RecordChange(one);           // as a load does
  const Board loaded = gMainBoard;
  Press(kMainWindow, Qt::Key_L, Qt::ControlModifier);
  const Board solved = gMainBoard;
  ASSERT_NE(solved, loaded);
  Press(kMainWindow, Qt::Key_F, Qt::ControlModifier);  // no conflict: the board stays as it was
  Press(kMainWindow, Qt::Key_Right);  // a move changes no cell
  Press(kMainWindow, Qt::Key_Left);
  EXPECT_EQ(UndoSteps(), 3);

  gErrorColumn = 4;
  Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(gMainBoard, loaded);
  EXPECT_EQ(gErrorColumn, -1);
  EXPECT_EQ(CellSpokenName(9, 9), "I9: leer") << "the board's names follow in the same pass";
  Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(gMainBoard, one);
  EXPECT_EQ(GetGadgetState(kFirstDigitBox + 3), 1) << "the editor shows the selected cell as restored";
  Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(gMainBoard, empty);
  EXPECT_EQ(GetGadgetState(kFirstDigitBox + 3), 0);
  Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(gMainBoard, empty);
  Press(kMainWindow, Qt::Key_Y, Qt::ControlModifier);
  Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(gMainBoard, loaded);
  Press(kMainWindow, Qt::Key_5);  // a new change drops the steps ahead
  EXPECT_EQ(RedoSteps(), 0);
  Press(kMainWindow, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_NE(gMainBoard, solved);
}

TEST_F(Interaction, TheBoardIsATableOfNamedCellsAndTheButtonsHaveNames) {
  SetCandidates(5, 5, "7");
  At(5, 5).locked = 1;
  SetCandidates(1, 1, "137");
  At(2, 1).candidate[1] = 2;  // only 1 marks a digit
  Press(kMainWindow, Qt::Key_Right);

  QAccessibleInterface* board = QAccessible::queryAccessibleInterface(GadgetWidget(kBoardGadget));
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(board->role(), QAccessible::Table);
  EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("Spielfeld"));
  ASSERT_NE(board->tableInterface(), nullptr);
  EXPECT_EQ(board->tableInterface()->rowCount(), 9);
  EXPECT_EQ(board->tableInterface()->columnCount(), 9);
  EXPECT_EQ(board->childCount(), 81);
  EXPECT_EQ(board->tableInterface()->cellAt(4, 4)->text(QAccessible::Name), QStringLiteral("E5: 7, vorgegeben"));
  EXPECT_EQ(board->child(0)->text(QAccessible::Name), QStringLiteral("A1: Kandidaten 1, 3, 7"));
  EXPECT_EQ(board->child(1)->text(QAccessible::Name), QStringLiteral("B1: leer"));
  EXPECT_EQ(board->indexOfChild(board->child(80)), 80);
  EXPECT_EQ(board->child(80)->tableCellInterface()->rowIndex(), 8);
  EXPECT_TRUE(board->child(0)->state().selected) << "A1 is the selected cell";
  EXPECT_FALSE(board->child(1)->state().selected);

  const std::vector<std::pair<int, QString>> names{{kOpenButton, QStringLiteral(u"Öffnen")},
                                                   {kFileButton, QStringLiteral("Speichern oder Drucken")},
                                                   {kCreateButton, QStringLiteral("Erstellen")},
                                                   {kSolveButton, QStringLiteral(u"Lösen")},
                                                   {kClearButton, QStringLiteral("Leeren")},
                                                   {kStopButton, QStringLiteral("STOP")}};
  for (const auto& [gadget, name] : names) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(GadgetWidget(gadget))->text(QAccessible::Name), name);
    EXPECT_EQ(GadgetWidget(gadget)->toolTip(), name);
  }
  EXPECT_TRUE(GadgetWidget(kBoardGadget)->toolTip().isEmpty()) << "no tooltip over the board";
  EXPECT_EQ(QAccessible::queryAccessibleInterface(GadgetWidget(kFirstDigitBox))->text(QAccessible::Name),
            QStringLiteral("1"));
}

// The key chord a screen reader is told for a button, box or menu item: the
// third part of its first action's binding.
QString ToldKey(QAccessibleInterface* control) {
  QAccessibleActionInterface* actions = control ? control->actionInterface() : nullptr;
  if (!actions || actions->actionNames().isEmpty()) return QStringLiteral("no action");
  return actions->keyBindingsForAction(actions->actionNames().constFirst()).join(QLatin1Char(';'));
}

QAccessibleInterface* MenuItem(int menu, int index) {
  return QAccessible::queryAccessibleInterface(qtws::gState.menus.at(menu)->actions().at(index));
}

// A blind newcomer learns the keys where they act: the board's description
// names the main ones, each button, box and menu item tells its chord, and a
// menu opened from the keyboard has its first item chosen, which is spoken.
TEST_F(Interaction, TheKeysAreToldWithTheBoardTheButtonsAndTheMenus) {
  const QString description = QAccessible::queryAccessibleInterface(GadgetWidget(kBoardGadget))->text(QAccessible::Description);
  for (const char* key : {"Pfeiltasten", "1 bis 9", "Entf", "S:", "Strg+F", "H:", "Strg+Z"})
    EXPECT_TRUE(description.contains(QLatin1String(key))) << key << " in " << description.toStdString();

  const std::vector<std::pair<int, QString>> buttons{
      {kOpenButton, QStringLiteral(";;<Control>o")}, {kCreateButton, QStringLiteral(";;<Control>n")},
      {kClearButton, QStringLiteral(";;<Control>Delete")}, {kStopButton, QStringLiteral(";;Escape")},
      {kFileButton, QString()}, {kFirstDigitBox, QStringLiteral(";;1")},
      {kFirstDigitBox + 8, QStringLiteral(";;9")}, {kLockBox, QStringLiteral(";;s")}};
  for (const auto& [gadget, key] : buttons)
    EXPECT_EQ(ToldKey(QAccessible::queryAccessibleInterface(GadgetWidget(gadget))), key) << "gadget " << gadget;
  EXPECT_EQ(QAccessible::queryAccessibleInterface(GadgetWidget(kLockBox))->role(), QAccessible::CheckBox);
  EXPECT_EQ(ToldKey(MenuItem(kFileMenu, 0)), QStringLiteral(";;<Control>s"));
  EXPECT_EQ(ToldKey(MenuItem(kFileMenu, 1)), QStringLiteral(";;<Control>p"));
  EXPECT_EQ(ToldKey(MenuItem(kSolveMenu, 3)), QStringLiteral(";;<Control>f")) << "after the separator";
  EXPECT_EQ(MenuItem(kSolveMenu, 0)->text(QAccessible::Name), QStringLiteral(u"Vollständig lösen"));

  // Pressing a box through assistive technology changes the cell as a click does.
  Press(kMainWindow, Qt::Key_Right);
  QAccessibleInterface* box = QAccessible::queryAccessibleInterface(GadgetWidget(kFirstDigitBox + 2));
  box->actionInterface()->doAction(box->actionInterface()->actionNames().constFirst());
  RunPendingPasses();
  EXPECT_EQ(CellSpokenName(1, 1), "A1: 3");
  EXPECT_TRUE(box->state().checked);

  QMenu* fileMenu = qtws::gState.menus.at(kFileMenu).get();
  GadgetWidget(kFileButton)->setFocus();
  Press(kMainWindow, Qt::Key_Space);
  ASSERT_TRUE(fileMenu->isVisible());
  EXPECT_EQ(fileMenu->activeAction(), fileMenu->actions().constFirst()) << "opened by a key: the first item";
  EXPECT_TRUE(MenuItem(kFileMenu, 0)->state().focused);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(fileMenu)->text(QAccessible::Name), QStringLiteral("Speichern oder Drucken"));
  fileMenu->hide();
  QTest::mouseClick(WindowHandle(kMainWindow), Qt::LeftButton, {}, QPoint(360, 60));
  RunPendingPasses();
  ASSERT_TRUE(fileMenu->isVisible());
  EXPECT_EQ(fileMenu->activeAction(), nullptr) << "opened by the mouse: as ever";
  fileMenu->hide();
}

// What a screen reader is told: the pass's change of the board, the error
// check's finding and the error cell's name; the status line is the
// window's status bar, whose notices carry it. (The notices themselves
// reach a screen reader only, and the Orca run hears them.)
TEST_F(Interaction, ChangesAndTheErrorCheckAreToldInWords) {
  Press(kMainWindow, Qt::Key_Right);
  Press(kMainWindow, Qt::Key_Down);  // B2, off the diagonal after a move right
  Press(kMainWindow, Qt::Key_Right);
  Board before = gMainBoard;
  Press(kMainWindow, Qt::Key_5);
  EXPECT_EQ(BoardChangeText(before), "B2: 5");
  EXPECT_EQ(BoardChangeText(gMainBoard), "") << "nothing changed, nothing said";
  SetCandidates(2, 7, "5");
  SetCandidates(4, 7, "38");
  EXPECT_EQ(BoardChangeText(before), "B2: 5; B7: 5; D7: Kandidaten 3, 8") << "in reading order";
  Press(kMainWindow, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(ErrorCheckText(), "Fehler in B7");
  EXPECT_EQ(CellSpokenName(2, 7), "B7: 5, Fehler") << "the error cell's name carries the error";
  EXPECT_EQ(CellSpokenName(2, 2), "B2: 5");
  Press(kMainWindow, Qt::Key_Right);  // a key that acts ends the error display
  EXPECT_EQ(CellSpokenName(2, 7), "B7: 5");
  gErrorColumn = 0;
  gErrorRow = 4;
  EXPECT_EQ(ErrorCheckText(), "Fehler au\xDF" "erhalb des Spielfelds");
  gErrorColumn = -1;
  EXPECT_EQ(ErrorCheckText(), "Kein Fehler gefunden");

  before = gMainBoard;
  for (int col = 3; col <= 6; ++col) SetCandidates(col, 4, "1");
  Press(kMainWindow, Qt::Key_Delete, Qt::ControlModifier);
  SetCandidates(9, 1, "4");
  EXPECT_EQ(BoardChangeText(before), "4 Felder ge\xE4ndert; 1 von 81 gef\xFCllt") << "C4 to F4, set and cleared since, are no change";
  EXPECT_EQ(QAccessible::queryAccessibleInterface(GadgetWidget(kStatusGadget))->role(), QAccessible::StatusBar);
}

}  // namespace
