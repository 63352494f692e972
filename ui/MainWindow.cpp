#include "ui/MainWindow.h"

#include "storage/Settings.h"
#include "ui/CommandTable.h"
#include "ui/Resources.h"

namespace {

// The names of the buttons that open a menu, and of their menus.
const std::string kFileName = "Speichern oder Drucken";
const std::string kSolveName = "L\xF6sen";

// What a screen reader speaks for the image buttons, also their tooltips; the
// board is a table of its cells, described by its main keys.
void NameMainWindowGadgets() {
  NameGadget(kBoardGadget, "Spielfeld");
  DescribeGadget(kBoardGadget,
                 "Pfeiltasten: Feld w\xE4hlen. 1 bis 9: Ziffer setzen oder entfernen. Entf: Feld leeren. "
                 "S: Feld sichern. Strg+F: auf Fehler pr\xFC" "fen. Strg+Z: r\xFC" "ckg\xE4ngig.");
  GridGadget(kBoardGadget, 9, 9);
  NameGadget(kOpenButton, kOpenTitle);
  NameGadget(kFileButton, kFileName);
  NameGadget(kCreateButton, "Erstellen");
  NameGadget(kSolveButton, kSolveName);
  NameGadget(kClearButton, "Leeren");
  NameGadget(kStopButton, "STOP");
}

}  // namespace

void OpenMainWindow() {
  OpenWindow(kMainWindow, 0, 0, 380, 340, "Tolva Sudoku", kWindowCloseBox | kWindowScreenCentred);
  TextGadget(kCreditGadget, kMainWindow, 60, 323, 260, 20, kCreditText);
  ImageGadget(kBoardGadget, kMainWindow, 20, 20, 300, 300, kBoardImage);
  ImageButtonGadget(kOpenButton, kMainWindow, 340, 0, 40, 40, kOpenIcon);
  ImageButtonGadget(kFileButton, kMainWindow, 340, 40, 40, 40, kSaveIcon);
  ImageButtonGadget(kCreateButton, kMainWindow, 340, 100, 40, 40, kCreateIcon);
  ImageButtonGadget(kSolveButton, kMainWindow, 340, 140, 40, 40, kSolveIcon);
  ImageButtonGadget(kClearButton, kMainWindow, 340, 200, 40, 40, kClearIcon);
  ImageButtonGadget(kStopButton, kMainWindow, 340, 300, 40, 40, kStopIcon);
  HideGadget(kStopButton, true);
  // Reaches past the window's right edge, which clips it.
  TextGadget(kStatusGadget, kMainWindow, 330, 280, 80, 20, "");
  NameMainWindowGadgets();
  GiveBusyButtonsTheirKeys();

  CreatePopupMenu(kFileMenu);
  AddMenuItem(kFileMenu, kSaveItem, "Speichern");
  AddMenuItem(kFileMenu, kPrintItem, "Drucken");
  CreatePopupMenu(kSolveMenu);
  AddMenuItem(kSolveMenu, kSolveAllItem, "Vollst\xE4ndig l\xF6sen");
  AddMenuItem(kSolveMenu, kSolveStepItem, "Einen Schritt machen");
  AddMenuSeparator(kSolveMenu);
  AddMenuItem(kSolveMenu, kCheckItem, "Auf Fehler pr\xFC" "fen");
  NameMenu(kFileMenu, kFileName);
  NameMenu(kSolveMenu, kSolveName);
  TellCommandKeys();
}

void ShowMenuBesideWindow(int menu, int belowTop) {
  ShowPopupMenu(menu, WindowOuterX(kMainWindow) + WindowInnerWidth(kMainWindow),
                WindowOuterY(kMainWindow) + belowTop);
}
