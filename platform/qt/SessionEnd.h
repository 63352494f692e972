#pragma once
// Ending the program from outside: SIGTERM, SIGINT and SIGHUP, the session
// manager's quit request, and the display connection lost. A signal handler
// only sets a flag and wakes the loop; the program's own loop then ends as
// after a close request and runs its shutdown.

class QObject;

namespace qtws {

// Installs the signal handlers, the watch that brings a signal into the event
// loop, and the last resort for a lost display. Call once the application
// exists.
void StartWatchingForEnd();
// Takes the watch down again; the handlers stay, with nothing left to wake.
void StopWatchingForEnd();

// Asks the program to end: from now on every wait and poll returns the main
// window's close request, and the dialogs open now close as cancelled.
void RequestEnd();

// Closes a modal dialog (or pop-up menu) as cancelled: at once when it is
// shown, or as soon as its own loop runs.
void CancelForEnd(QObject* dialog);

// Forgets a request, so that tests can go on afterwards.
void ForgetEndRequest();

}  // namespace qtws
