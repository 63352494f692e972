#include "ui/PuzzleClipboard.h"

#include "platform/Platform.h"
#include "storage/TextPuzzle.h"

void PastePuzzle() { LoadTextPuzzle(ClipboardText(kTextPuzzleLimit + 1)); }

void CopyPuzzle() { SetClipboardText(PuzzleLine()); }
