#include "desktop/OffscreenStart.h"

#include <cstdlib>

#include "platform/Platform.h"
#include "ui/BoardImages.h"
#include "ui/Fonts.h"

void StartOffscreen(char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  StartWindowSystem(1, argv);
  LoadProgramFonts();
  PrepareImages();
}

void EndOffscreen() {
  EndWindowSystem();
}
