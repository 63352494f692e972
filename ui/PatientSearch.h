#pragma once
// The search for the next step as the help commands run it: quiet while it
// takes no longer than a blink; after that it shows "Suche..." and the STOP
// button and polls for STOP as the solver does, so the window stays alive and
// Escape or STOP ends it with nothing changed.

#include <chrono>

#include "explain/NextStep.h"

// How long a search may take before it shows that it is searching.
constexpr int kBlinkMilliseconds = 100;

class PatientSearch {
 public:
  PatientSearch();
  ~PatientSearch();  // hides the STOP button if it was shown
  PatientSearch(const PatientSearch&) = delete;
  PatientSearch& operator=(const PatientSearch&) = delete;

  // The next step of the position: kFound, kNone, or kStopped on STOP.
  SearchOutcome Find(const Position& position, SearchOptions options, Step& step);

  // Whether the search has shown "Suche..." (the status line then needs its
  // final text).
  bool ShownSearching() const { return shown_; }

 private:
  std::chrono::steady_clock::time_point start_;
  bool shown_ = false;
};
