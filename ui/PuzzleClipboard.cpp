#include "ui/PuzzleClipboard.h"

#include "platform/Platform.h"
#include "ui/Resources.h"
#include "storage/TextPuzzle.h"

namespace {

constexpr const char* kNoPuzzleText = "Kein R\xE4tsel erkannt";

}  // namespace

// A refusal stays in the status line until the next puzzle is pasted; said
// again when the line shows it already.
void PastePuzzle() {
  const bool shown = GetGadgetText(kStatusGadget) == kNoPuzzleText;
  if (LoadTextPuzzle(ClipboardText(kTextPuzzleLimit + 1))) {
    if (shown) SetStatusText("");
  } else if (shown) {
    Announce(kNoPuzzleText);
  } else {
    SetStatusText(kNoPuzzleText);
  }
}

void CopyPuzzle() { SetClipboardText(PuzzleLine()); }
