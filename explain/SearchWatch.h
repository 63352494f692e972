#pragma once
// The watch over a search for the next step: the costly techniques ask it at
// every assumption whether to go on, so that a search can give up after a
// blink (to be taken up again with the STOP button shown) or end on STOP.

enum class SearchOutcome { kFound, kNone, kTakesLong, kStopped };

// Starts watching a search: it gives up after blinkMilliseconds (when > 0),
// and polls for STOP (through PollForStop) when polls is set.
void StartSearchWatch(int blinkMilliseconds, bool polls);

// Whether the search should end now: its time is up, or STOP was pressed.
// Once true it stays true until the next StartSearchWatch.
bool SearchInterrupted();

// kTakesLong or kStopped once interrupted, else kFound.
SearchOutcome SearchInterruption();

// Ends the polling of the search being watched.
void StopSearchWatch();
