#pragma once
// The scripted stand-in for the window system that the core's tests and the
// benchmarks link: it hands out scripted events to the polls, records the
// status texts and answers the Yes/No questions as scripted.

#include <deque>
#include <string>
#include <vector>

namespace scripted {

enum class Event { Other, Stop };

struct Script {
  std::deque<Event> events;   // handed out one per poll, in order
  long stopAtPoll = 0;        // when > 0: the poll with this number (from 1) sees STOP
  long polls = 0;             // polls so far
  std::vector<std::string> statusTexts;  // each text set, repeats in a row kept once
  long statusSets = 0;        // every call that set the status text
  std::deque<bool> answers;   // answers to hand out; No once they run out
  std::vector<std::string> questions;  // the texts asked, in order
};

// The one script the platform functions read and write.
extern Script gScript;

// Starts a fresh script.
void Reset();

// The status text shown last, "" when none was set.
std::string StatusText();

}  // namespace scripted
