#pragma once
// The sentences of a step, in German (Windows-1252 bytes), in the program's
// cell names: column letter and row number, "D3".
//
// Each step has three: the hint (the technique and where to look), the short
// form (what it shows, for the status line) and the full form (the technique
// and the whole reasoning, chains link by link, for speech and the
// command-line tool).

#include <string>

#include "explain/Step.h"

std::string CellName(int cell);   // "D3"
std::string UnitName(int unit);   // "Zeile 3", "Spalte D", "Block 4"

std::string TechniqueName(const Step& step);  // "Versteckter Einer"
std::string StepHint(const Step& step);       // "Versteckter Einer in Zeile 3."
std::string StepShortText(const Step& step);  // "In Zeile 3 kann die 7 nur in D3 stehen."
std::string StepFullText(const Step& step);   // "Versteckter Einer: In Zeile 3 kann die 7 nur in D3 stehen."

// A rating as the status line shows it, "Schwierigkeit 3,2: X-Wing.", with
// the technique of its hardest step.
std::string RatingText(const Step& hardest);

// A rating in tenths as a decimal number with the given separator: "3,2".
std::string RatingNumber(int rating, char separator);
