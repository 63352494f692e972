#pragma once
// The program's fonts 1 to 5, loaded once at start-up.

void LoadProgramFonts();
