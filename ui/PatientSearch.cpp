#include "ui/PatientSearch.h"

#include <algorithm>

#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

const std::string kSearchingText = "Suche...";

}  // namespace

PatientSearch::PatientSearch() : start_(std::chrono::steady_clock::now()) {}

PatientSearch::~PatientSearch() {
  if (shown_) HideGadget(kStopButton, true);
}

SearchOutcome PatientSearch::Find(const Position& position, SearchOptions options, Step& step) {
  if (!shown_) {
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    options.blinkMilliseconds = std::max(1, kBlinkMilliseconds - static_cast<int>(spent));
    options.polls = false;
    const SearchResult quick = FindNextStep(position, options, step);
    if (quick.outcome != SearchOutcome::kTakesLong) return quick.outcome;
    // Taken up where it stopped: the tiers before found nothing.
    options.fromTier = quick.tier;
    ShowHelpText(kSearchingText, kSearchingText);
    HideGadget(kStopButton, false);
    shown_ = true;
  }
  options.blinkMilliseconds = 0;
  options.polls = true;
  return FindNextStep(position, options, step).outcome;
}
