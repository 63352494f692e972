#include "ui/Fonts.h"

#include "ui/Resources.h"

void LoadProgramFonts() {
  LoadFont(kCandidateFont, "Arial", 9);
  LoadFont(kDigitFont, "Arial", 30);
  LoadFont(kStopFont, "Arial", 7);
  LoadFont(kPrintSmallFont, "Arial", 27);
  LoadFont(kPrintLargeFont, "Arial", 90);
}
