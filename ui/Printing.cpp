#include "ui/Printing.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "storage/BmpFile.h"
#include "storage/PuzzleFile.h"
#include "storage/Settings.h"
#include "ui/CellText.h"
#include "ui/Resources.h"

namespace {

constexpr int kPageWidth = 2100;
constexpr int kPageHeight = 2975;

// The preview's buttons stand above the page.
constexpr int kPreviewButtonHeight = 40;

// The question before the image export replaces a file, as for puzzles.
constexpr const char* kOverwriteTitle = "Fehler";
constexpr const char* kOverwriteQuestion = "Soll die Datei wirklich \xFC" "berschrieben werden?";

// Candidates in font 4 at 3, 33 and 63 below the cell's top; a digit in
// font 5 at 9 above it.
constexpr CellTextLayout kPageLayout{kPrintSmallFont, 3, 30, kPrintLargeFont, -9};

// The slots: a text field holding a path, the browse button right of it
// (field + 1), and where the puzzle goes on the page.
struct Slot {
  int field;
  int pageX;
  int pageY;
};
constexpr std::array<Slot, 6> kSlots{{{SlotField(0, 0), 75, 46},
                                      {SlotField(0, 1), 75, 992},
                                      {SlotField(0, 2), 75, 1938},
                                      {SlotField(1, 0), 1050, 46},
                                      {SlotField(1, 1), 1050, 992},
                                      {SlotField(1, 2), 1050, 1938}}};
// The fourth line of each column is made and hidden at once.
constexpr std::array<int, 4> kHiddenLine{SlotField(0, 3), SlotField(0, 3) + 1, SlotField(1, 3), SlotField(1, 3) + 1};

// What a screen reader says for the slots, numbered as they go onto the
// page (down the left column, then the right): "R\xE4tsel 2" and the name
// of its file, or "leer".
std::string SlotLabel(std::size_t slot) { return "R\xE4tsel " + std::to_string(slot + 1); }

std::string SlotName(std::size_t slot) {
  const std::string path = GetGadgetText(kSlots[slot].field);
  return SlotLabel(slot) + ": " + (path.empty() ? "leer" : FileNameText(path));
}

// The slots, their browse buttons ("...") and the page button.
void NameSelectionGadgets() {
  for (std::size_t slot = 0; slot < kSlots.size(); ++slot) {
    NameGadget(kSlots[slot].field, SlotName(slot));
    NameGadget(kSlots[slot].field + 1, SlotLabel(slot) + " w\xE4hlen");
  }
  NameGadget(kSelectionPrint, "Seite ansehen und drucken");
}

// The file chosen for a slot, said once by its name ("R\xE4tsel 2: eins.sdk");
// a cancelled dialog empties the slot.
void ChooseSlotFile(std::size_t slot) {
  SetGadgetPath(kSlots[slot].field, OpenFileDialog(kOpenTitle, kPuzzleFilter));
  NameGadget(kSlots[slot].field, SlotName(slot));
  Announce(SlotName(slot));
}

// The preview's page as a screen reader names it: how many puzzles are on it,
// and their files' names.
std::string PageName() {
  std::string names;
  int puzzles = 0;
  for (const Slot& slot : kSlots) {
    const std::string path = GetGadgetText(slot.field);
    if (path.empty()) continue;
    names += (puzzles++ == 0 ? ": " : ", ") + FileNameText(path);
  }
  if (puzzles == 0) return "Druckseite ohne R\xE4tsel";
  return "Druckseite mit " + std::to_string(puzzles) + (puzzles == 1 ? " R\xE4tsel" : " R\xE4tseln") + names;
}

void OpenSelectionWindow() {
  OpenWindow(kSelectionWindow, 0, 0, 200, 240, "Drucken...", kWindowCloseBox | kWindowOwnerCentred, kMainWindow);
  for (int column = 0; column < 2; ++column)
    for (int line = 0; line < 4; ++line) {
      const int field = SlotField(column, line);
      const int x = 20 + 80 * column, y = 100 + 20 * line;
      TextFieldGadget(field, kSelectionWindow, x, y, 60, 20);
      ButtonGadget(field + 1, kSelectionWindow, x + 60, y, 20, 20, "...");
    }
  TextGadget(kSelectionHelp, kSelectionWindow, 20, 20, 160, 70,
             "Bitte w\xE4hlen sie die Sudokus aus, die sie drucken wollen. (Speicherort)\r"
             "unausgef\xFCllte Felder werden nicht weiter beachtet.");
  ButtonGadget(kSelectionPrint, kSelectionWindow, 20, 200, 60, 20, "Drucken");
  ButtonGadget(kSelectionCancel, kSelectionWindow, 120, 200, 60, 20, "Abbrechen");
  SetGadgetKey(kSelectionPrint, kKeyEnter);
  SetGadgetKey(kSelectionCancel, kKeyEscape);
  for (int gadget : kHiddenLine) HideGadget(gadget, true);
  NameSelectionGadgets();
  Announce(GetGadgetText(kSelectionHelp));
}

// The slot whose browse button the gadget is, or -1.
int SlotOfBrowseButton(int gadget) {
  for (std::size_t slot = 0; slot < kSlots.size(); ++slot)
    if (gadget == kSlots[slot].field + 1) return static_cast<int>(slot);
  return -1;
}

void ComposePage() {
  CreateImage(kPageImage, kPageWidth, kPageHeight);
  if (!StartDrawingOnImage(kPageImage)) return;
  FillRect(0, 0, kPageWidth, kPageHeight, kWhite);
  for (const Slot& slot : kSlots) {
    const std::string path = GetGadgetText(slot.field);
    if (!path.empty()) DrawSavedPuzzle(path, slot.pageX, slot.pageY);
  }
  DrawingFont(kPrintSmallFont);
  DrawTextAt(1400, 2905, kCreditText, kBlack);
  StopDrawing();
}

// The scroll area fills the window, and the buttons share its width above
// the page. Laid out again whenever the window's size changed (a window
// manager may let the user restore and resize it), so both buttons stay in
// reach.
void LayOutPreview(int width, int height) {
  MoveGadget(kPreviewArea, 0, 0, width, height);
  MoveGadget(kPreviewPrint, 0, 0, width / 2, kPreviewButtonHeight);
  MoveGadget(kPreviewCancel, width / 2, 0, width / 2, kPreviewButtonHeight);
}

// The page, full screen, under the buttons "Drucken" and "Abbrechen"; only
// they end it. The scrollable area holds the buttons and the whole page, down
// to the credit line. The page has the keyboard, under its name. Returns 1
// for "Drucken".
int ShowPreview(const std::string& pageName) {
  OpenWindow(kPreviewWindow, 0, 0, 0, 0, "Drucken", kWindowScreenCentred | kWindowMaximised);
  int width = WindowInnerWidth(kPreviewWindow);
  int height = WindowInnerHeight(kPreviewWindow);
  ScrollAreaGadget(kPreviewArea, kPreviewWindow, 0, 0, width, height, kPageWidth, kPreviewButtonHeight + kPageHeight,
                   10);
  BeginScrollAreaContent(kPreviewArea);
  ImageGadget(kPreviewImage, kPreviewWindow, 0, kPreviewButtonHeight, kPageWidth, kPageHeight, kPageImage);
  ButtonGadget(kPreviewPrint, kPreviewWindow, 0, 0, width / 2, kPreviewButtonHeight, "Drucken");
  ButtonGadget(kPreviewCancel, kPreviewWindow, width / 2, 0, width / 2, kPreviewButtonHeight, "Abbrechen");
  EndScrollAreaContent();
  SetGadgetKey(kPreviewPrint, kKeyEnter);
  SetGadgetKey(kPreviewCancel, kKeyEscape);
  NameGadget(kPreviewImage, pageName);
  NameGadget(kPreviewPrint, "Seite drucken");
  NameGadget(kPreviewCancel, "Nicht drucken");
  FocusGadget(kPreviewImage);
  int result = -1;
  while (result < 0) {
    const EventKind event = WaitEvent();
    if (event == kEventGadget && EventGadget() == kPreviewPrint) result = 1;
    if (event == kEventGadget && EventGadget() == kPreviewCancel) result = 0;
    if (EndRequested()) result = 0;
    if (WindowInnerWidth(kPreviewWindow) != width || WindowInnerHeight(kPreviewWindow) != height) {
      width = WindowInnerWidth(kPreviewWindow);
      height = WindowInnerHeight(kPreviewWindow);
      LayOutPreview(width, height);
    }
  }
  CloseWindow(kPreviewWindow);
  return result;
}

// The dialog offers the puzzle files, so a file that is there already is
// replaced only when the user says so.
void OfferImageExport() {
  if (!AskYesNo("Image", "Soll das Bild trotzdem gespeichert werden?")) return;
  const std::string path = SaveFileDialog("Image speichern", kPuzzleFilter);
  if (path.empty()) return;
  std::error_code unknown;
  if (std::filesystem::exists(path, unknown) && !AskYesNo(kOverwriteTitle, kOverwriteQuestion)) return;
  if (!ImageExists(kPageImage)) return;
  SaveBmpFile(path, ImageWidth(kPageImage), ImageHeight(kPageImage), ImageColours(kPageImage));
}

}  // namespace

int ShowPrintSelection() {
  OpenSelectionWindow();
  int result = 0;
  for (;;) {
    const EventKind event = WaitEvent();
    if (event == kEventClose || (event == kEventKey && IsCloseChord(EventKey(), EventModifiers()))) break;
    if (event != kEventGadget) continue;
    const int gadget = EventGadget();
    if (const int slot = SlotOfBrowseButton(gadget); slot >= 0) ChooseSlotFile(static_cast<std::size_t>(slot));
    if (gadget == kSelectionCancel) break;
    if (gadget == kSelectionPrint) {
      ComposePage();
      result = ShowPreview(PageName());
      OfferImageExport();
      break;
    }
  }
  CloseWindow(kSelectionWindow);
  ReturnFreedMemory();
  return result;
}

void DrawSavedPuzzle(const std::string& path, int x, int y) {
  LoadPuzzle(path);
  DrawImageAt(kLargeGridImage, x, y);
  for (int col = 1; col <= 9; ++col)
    for (int row = 1; row <= 9; ++row)
      DrawCellText(col, row, x + 99 * (col - 1) + 18, y + 99 * (row - 1), kPageLayout);
}

void PrintPage() {
  PrintImage(kPageImage, "Sudoku");
  ReturnFreedMemory();
}
