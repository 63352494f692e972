#include "ui/PuzzleClipboard.h"

#include "platform/Platform.h"
#include "storage/TextPuzzle.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

constexpr const char* kNoPuzzleText = "Kein R\xE4tsel erkannt";

}  // namespace

// The refusal shows where the help commands' texts show, as the status
// line's corner is too narrow for it, until the next puzzle is pasted.
void PastePuzzle() {
  if (!LoadTextPuzzle(ClipboardText(kTextPuzzleLimit + 1))) {
    ShowHelpText(kNoPuzzleText, kNoPuzzleText);
  } else if (GetGadgetText(kStatusGadget) == kNoPuzzleText) {
    RestoreStatusLine();
    SetGadgetText(kStatusGadget, "");
  }
}

void CopyPuzzle() { SetClipboardText(PuzzleLine()); }
