#include "ui/CellText.h"

#include <string>

#include "board/CandidateQueries.h"
#include "ui/Resources.h"

void DrawCellText(int col, int row, int x, int y, const CellTextLayout& layout) {
  const std::string text = std::to_string(CandidateNumber(col, row));
  if (text.size() > 1) {
    DrawingFont(layout.smallFont);
    for (std::size_t line = 0; line * 3 < text.size(); ++line)
      DrawTextAt(x, y + layout.firstLineOffset + layout.lineSpacing * static_cast<int>(line),
                 text.substr(line * 3, 3), kDigitGreen);
  } else if (text != "0") {
    const bool locked = gMainBoard[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)].locked == 1;
    DrawingFont(layout.largeFont);
    DrawTextAt(x, y + layout.digitOffset, text, locked ? kBlack : kDigitGreen);
  }
}
