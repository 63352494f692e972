// What the core asks of the window system, for a program without windows:
// nothing is shown, no STOP is ever pressed, and a question is answered No.

#include "platform/CoreServices.h"

void SetStatusText(const std::string&) {}
bool PollForStop() { return false; }
bool AskYesNo(const std::string&, const std::string&) { return false; }
