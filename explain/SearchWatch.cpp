#include "explain/SearchWatch.h"

#include <chrono>

#include "platform/CoreServices.h"

namespace {

struct Watch {
  std::chrono::steady_clock::time_point start;
  int blinkMilliseconds = 0;
  bool polls = false;
  SearchOutcome interruption = SearchOutcome::kFound;  // kTakesLong or kStopped once interrupted
} gWatch;

}  // namespace

void StartSearchWatch(int blinkMilliseconds, bool polls) {
  gWatch = {std::chrono::steady_clock::now(), blinkMilliseconds, polls, SearchOutcome::kFound};
}

bool SearchInterrupted() {
  if (gWatch.interruption != SearchOutcome::kFound) return true;
  if (gWatch.blinkMilliseconds > 0 &&
      std::chrono::steady_clock::now() - gWatch.start > std::chrono::milliseconds(gWatch.blinkMilliseconds))
    gWatch.interruption = SearchOutcome::kTakesLong;
  else if (gWatch.polls && PollForStop())
    gWatch.interruption = SearchOutcome::kStopped;
  return gWatch.interruption != SearchOutcome::kFound;
}

SearchOutcome SearchInterruption() { return gWatch.interruption; }

void StopSearchWatch() { gWatch.polls = false; }
