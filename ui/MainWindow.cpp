#include "ui/MainWindow.h"

#include "storage/Settings.h"
#include "ui/CommandTable.h"
#include "ui/Resources.h"

namespace {

// The names of the buttons that open a menu, and of their menus.
const std::string kFileName = "Speichern oder Drucken";
const std::string kSolveName = "L\xF6sen";

// The status line in its corner, reaching past the window's right edge, which
// clips it; and where the help commands' texts show it, in the credit line's
// place below the board and its left margin (the STOP button keeps the
// corner right of it).
constexpr int kStatusX = 330, kStatusY = 280, kStatusWidth = 80, kStatusHeight = 20;
constexpr int kHelpX = 4, kHelpY = 323, kHelpWidth = 336, kHelpHeight = 17;

// The text, cut at a word and ended with "..." where it is wider than the
// help line.
std::string FittedHelpText(std::string text) {
  const std::string ellipsis = "\x85";
  if (GadgetTextWidth(kStatusGadget, text) <= kHelpWidth) return text;
  while (!text.empty() && GadgetTextWidth(kStatusGadget, text + ellipsis) > kHelpWidth) {
    const std::size_t space = text.find_last_of(' ');
    text.resize(space == std::string::npos ? text.size() - 1 : space);
  }
  return text + ellipsis;
}

// What a screen reader speaks for the image buttons, also their tooltips; the
// board is a table of its cells, described by its main keys.
void NameMainWindowGadgets() {
  NameGadget(kBoardGadget, "Spielfeld");
  DescribeGadget(kBoardGadget,
                 "Pfeiltasten: Feld w\xE4hlen. 1 bis 9: Ziffer setzen oder entfernen. Entf: Feld leeren. "
                 "S: Feld sichern. Strg+F: auf Fehler pr\xFC" "fen. H: Hinweis. Strg+Z: r\xFC" "ckg\xE4ngig.");
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
  TextGadget(kStatusGadget, kMainWindow, kStatusX, kStatusY, kStatusWidth, kStatusHeight, "");
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

void ShowHelpText(const std::string& shown, const std::string& spoken) {
  HideGadget(kCreditGadget, true);
  MoveGadget(kStatusGadget, kHelpX, kHelpY, kHelpWidth, kHelpHeight);
  SetGadgetText(kStatusGadget, FittedHelpText(shown));
  Announce(spoken);
}

void RestoreStatusLine() {
  MoveGadget(kStatusGadget, kStatusX, kStatusY, kStatusWidth, kStatusHeight);
  HideGadget(kCreditGadget, false);
}
