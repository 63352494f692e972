#pragma once
// What the solver, the generator and the puzzle file need of the window
// system, and nothing more. The Qt layer implements these for the program;
// the scripted platform of the tests implements them for the core's tests.
// The linker picks one.

#include <string>

// Shows text in the main window's status line (gadget 7); a screen reader
// speaks a text that differs from the one shown before. Texts are
// Windows-1252 bytes.
void SetStatusText(const std::string& text);

// Takes at most one pending event of the program's windows without waiting.
// Returns true when it was a press of the STOP button (gadget 8), and always
// once the program is asked to end; any other event is dropped. Returns false
// when nothing is pending.
bool PollForStop();

// Asks a modal question with the buttons Yes and No, no icon. Returns true for
// Yes. Title and text are Windows-1252 bytes.
bool AskYesNo(const std::string& title, const std::string& text);
