// The hint (H), the candidates (K), the check against the solution
// (Ctrl+Shift+F) and the rating (B), driven by their real keys: what the
// status line shows and where, the board, the selection, the error display
// and the undo steps.

#include <gtest/gtest.h>

#include <QRect>

#include "board/CandidateQueries.h"
#include "storage/TextPuzzle.h"
#include "tests/support/BoardBuilder.h"
#include "tests/ui/LoopDriver.h"
#include "tests/ui/UserScript.h"
#include "ui/BoardNames.h"

namespace {

// Its first step a hidden single off the diagonal: in box 6 the 3 fits G5 only.
constexpr const char* kHiddenSingle =
    "2.......5.9.1.2.3...1.9.7...3..1..6....5.8....1..3..7..2.7.9.5..........5.4...2.3";
// Its hardest step an X-Wing.
constexpr const char* kXWing =
    "..43.7195.......425....8........1..78.34......1.8..2....8....3..4......9...9.2...";
// Its first step takes forcing nets within nets: long enough to search.
constexpr const char* kHardest =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";

std::string Status() { return GetGadgetText(kStatusGadget); }

QRect StatusPlace() { return GadgetWidget(kStatusGadget)->geometry(); }

class HelpCommands : public Interaction {
 protected:
  void Load(const char* puzzle) {
    ASSERT_TRUE(LoadTextPuzzle(puzzle));
    ClearHistory();
    RunPendingPasses();
  }
  static bool Hint() { return Press(kMainWindow, Qt::Key_H); }
};

TEST_F(HelpCommands, TheHintInThreePressesThenUndo) {
  Load(kHiddenSingle);
  const Board before = gMainBoard;
  Hint();
  EXPECT_EQ(Status(), "Versteckter Einer in Block 6.");
  EXPECT_EQ(StatusPlace(), QRect(20, 323, 320, 17)) << "in the credit line's place";
  EXPECT_TRUE(GadgetHidden(kCreditGadget));
  EXPECT_EQ(gMainBoard, before);
  EXPECT_EQ(std::pair(gSelectedColumn, gSelectedRow), std::pair(0, 0)) << "the first press moves nothing";

  Press(kCellEditorWindow, Qt::Key_H);
  EXPECT_EQ(Status(), "In Block 6 kann die 3 nur in G5 stehen.");
  EXPECT_EQ(WindowTitle(kCellEditorWindow), "Feld G5");
  EXPECT_TRUE(gFocusCueShown);
  EXPECT_EQ(gMainBoard, before);
  EXPECT_EQ(UndoSteps(), 0);

  Hint();
  EXPECT_EQ(CellSpokenName(7, 5), "G5: 3");
  EXPECT_EQ(BoardChangeText(before), "G5: 3") << "that cell and no other";
  EXPECT_EQ(UndoSteps(), 1);
  Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(gMainBoard, before);

  // Any change of the board by other means starts again at the first press:
  // here the person enters the step's digit.
  Hint();
  Hint();
  ASSERT_EQ(WindowTitle(kCellEditorWindow), "Feld G5");
  Press(kMainWindow, Qt::Key_3);
  const Board entered = gMainBoard;
  Hint();
  EXPECT_EQ(gMainBoard, entered) << "a first press again, which changes nothing";
  EXPECT_NE(Status().find(" in "), std::string::npos) << Status();
  EXPECT_EQ(UndoSteps(), 1);

  // The next ordinary text puts the status line back in its corner.
  Press(kMainWindow, Qt::Key_Delete);
  Press(kMainWindow, Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(Status(), "Fertig!");
  EXPECT_EQ(StatusPlace(), QRect(330, 280, 80, 20));
  EXPECT_FALSE(GadgetHidden(kCreditGadget));
}

TEST_F(HelpCommands, AWrongEntryComesFirstAndBlinksRed) {
  Load(kHiddenSingle);
  // C4 entered as 2, which no other cell forbids; the solution has 5 there.
  SelectCell(3, 4);
  Press(kMainWindow, Qt::Key_2);
  const Board entered = gMainBoard;
  Hint();
  EXPECT_EQ(Status(), "C4 passt nicht zur L\xF6sung.");
  EXPECT_EQ(std::pair(gErrorColumn, gErrorRow), std::pair(3, 4));
  EXPECT_EQ(CellSpokenName(3, 4), "C4: 2, Fehler");
  Press(kMainWindow, Qt::Key_H);
  EXPECT_EQ(gErrorColumn, 3) << "still wrong, still shown";
  EXPECT_EQ(gMainBoard, entered) << "a hint never changes a board with a wrong entry";
  QTest::mouseClick(GadgetWidget(kBoardGadget), Qt::LeftButton, {}, QPoint(150, 150));
  RunPendingPasses();
  EXPECT_EQ(gErrorColumn, -1) << "the next click ends the display";

  // The check says the same; with the digit right, all entries fit.
  Press(kMainWindow, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Status(), "C4 passt nicht zur L\xF6sung.");
  EXPECT_EQ(gErrorColumn, 3);
  SelectCell(3, 4);
  Press(kMainWindow, Qt::Key_2);
  Press(kMainWindow, Qt::Key_5);
  SetCandidates(8, 8, "18");  // H8: marks holding the solution's 8
  Press(kMainWindow, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Status(), "Das R\xE4tsel hat genau eine L\xF6sung. Alle Eintr\xE4ge passen.");
  EXPECT_EQ(gErrorColumn, -1);
  SetCandidates(8, 8, "19");
  Press(kMainWindow, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Status(), "H8 passt nicht zur L\xF6sung.");
  EXPECT_EQ(UndoSteps(), 3) << "the check and the hint change nothing";
}

TEST_F(HelpCommands, PuzzlesWithoutOneSolution) {
  Load(".4..2...73.4.9.1....8....5.2.....6...7.3.8.9...5.....1.6....8....9.7...31...5..4.");  // two 4s in row 2
  for (Qt::Key key : {Qt::Key_H, Qt::Key_B}) {
    Press(kMainWindow, key);
    EXPECT_EQ(Status(), "Das R\xE4tsel hat keine L\xF6sung.");
  }
  // Nothing locked: the filled cells are the puzzle. A near-empty board has many solutions.
  ClearBoard(gMainBoard);
  SetCandidates(2, 3, "5");
  SetCandidates(6, 7, "1");
  RunPendingPasses();
  Press(kMainWindow, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Status(), "Das R\xE4tsel hat mehr als eine L\xF6sung.");
  Hint();
  EXPECT_EQ(Status(), "Keine Technik hilft weiter. Das R\xE4tsel hat mehr als eine L\xF6sung.");
  Press(kMainWindow, Qt::Key_B);
  EXPECT_EQ(Status(), "Das R\xE4tsel hat mehr als eine L\xF6sung.");
}

TEST_F(HelpCommands, CandidatesOnceForEveryEmptyUnlockedCell) {
  Load(kXWing);
  SetCandidates(1, 2, "58");     // A2 holds marks of its own
  At(2, 2).locked = 1;           // B2 empty but locked
  int empty = 0;
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row) empty += At(col, row).locked == 0 && CandidateMask(At(col, row)) == 0 ? 1 : 0;
  Press(kMainWindow, Qt::Key_K);
  EXPECT_EQ(UndoSteps(), 1);
  EXPECT_EQ(CandidateNumber(1, 2), 58) << "marks are kept";
  EXPECT_EQ(CandidateNumber(2, 2), 0) << "a locked cell is left alone";
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row) {
      if (At(col, row).locked || (col == 1 && row == 2)) continue;
      EXPECT_EQ(CandidateMask(At(col, row)), AllowedMask(col, row)) << CellLabel(col, row);
    }
  EXPECT_EQ(Status(), "Kandidaten in " + std::to_string(empty) + " Feldern eingetragen.");
  const Board marked = gMainBoard;
  Press(kMainWindow, Qt::Key_K);
  EXPECT_EQ(gMainBoard, marked);
  EXPECT_EQ(UndoSteps(), 1) << "nothing new, no step";
  Press(kMainWindow, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(CandidateNumber(3, 3), 0);

  // The rating comes from the givens, whatever the board holds now.
  Press(kMainWindow, Qt::Key_B);
  EXPECT_EQ(Status(), "Schwierigkeit 3,2: X-Wing.");
}

TEST_F(HelpCommands, ALongSearchShowsItselfAndStopsWithNothingChanged) {
  Load(kHardest);
  const Board before = gMainBoard;
  bool searching = false;
  Script script;
  script.WhenGadget(kStopButton, [&] {
    searching = Status() == "Suche...";
    QTest::mouseClick(GadgetWidget(kStopButton), Qt::LeftButton);
  });
  Hint();
  EXPECT_TRUE(script.Done()) << "the STOP button shows";
  EXPECT_TRUE(searching) << "with \"Suche...\"";
  EXPECT_EQ(Status(), "Suche abgebrochen.");
  EXPECT_TRUE(GadgetHidden(kStopButton));
  EXPECT_EQ(gMainBoard, before);
  EXPECT_EQ(UndoSteps(), 0);
}

}  // namespace
