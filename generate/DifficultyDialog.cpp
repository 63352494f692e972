#include "generate/DifficultyDialog.h"

#include <algorithm>
#include <climits>

#include "platform/Platform.h"

namespace {

const std::string kGoOnWord = "weiter";
const std::string kCancelWord = "zur\xFC" "ck";  // six characters in Windows-1252

// The number at the start of a text; 0 when it starts with no digit.
std::int32_t LeadingNumber(const std::string& text) {
  std::int64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    number = std::min<std::int64_t>(number * 10 + (c - '0'), INT32_MAX);
  }
  return static_cast<std::int32_t>(number);
}

// What a screen reader says for the slider, which shows no number, also
// whenever it moves: "Schwierigkeit 35, Stufe: Mittel".
std::string SpokenDifficulty(std::int32_t difficulty) {
  return "Schwierigkeit " + std::to_string(difficulty) + ", " + LevelLabel(difficulty);
}

}  // namespace

std::string LevelLabel(std::int32_t difficulty) {
  if (difficulty <= 26) return "Stufe: Leicht";
  if (difficulty <= 53) return "Stufe: Mittel";
  return "Stufe: Schwer";
}

std::int32_t SliderStartPosition(std::int32_t difficulty) {
  return difficulty < INT32_MIN + 10 ? INT32_MIN : difficulty - 10;
}

std::string AskDifficulty(std::int32_t startPosition) {
  OpenWindow(kSettingsWindow, 0, 0, 300, 240, "Einstellungen", kWindowCloseBox | kWindowScreenCentred, kMainWindow);
  TextGadget(kSettingsWarning, kSettingsWindow, 20, 20, 260, 60,
             "Wollen sie wirklich fortfahren, dieser Prozess kann n\xE4mlich einige Minuten in Anspruch nehmen!");
  FrameGadget(kSettingsFrame, kSettingsWindow, 10, 80, 280, 80, "Schwierigkeit: ");
  SliderGadget(kSettingsSlider, kSettingsWindow, 20, 100, 260, 20, 0, 50);
  TextGadget(kSettingsLevel, kSettingsWindow, 100, 120, 100, 20, "Stufe:");
  ButtonGadget(kSettingsGoOn, kSettingsWindow, 25, 180, 100, 40, "Weiter");
  ButtonGadget(kSettingsCancel, kSettingsWindow, 175, 180, 100, 40, "Abbruch");
  SetGadgetKey(kSettingsGoOn, kKeyEnter);
  SetGadgetKey(kSettingsCancel, kKeyEscape);
  SetGadgetState(kSettingsSlider, startPosition);
  NameGadget(kSettingsSlider, SpokenDifficulty(GetGadgetState(kSettingsSlider) + 10));
  Announce(GetGadgetText(kSettingsWarning));

  // Every event of any window counts: the label follows the slider, and the
  // difficulty is the slider's value at the event that ends the dialog.
  std::string outcome;
  std::int32_t difficulty = 0;
  for (;;) {
    const EventKind event = WaitEvent();
    if (event == kEventGadget && EventGadget() == kSettingsGoOn) outcome = kGoOnWord;
    if (event == kEventGadget && EventGadget() == kSettingsCancel) outcome = kCancelWord;
    difficulty = GetGadgetState(kSettingsSlider) + 10;
    SetGadgetText(kSettingsLevel, LevelLabel(difficulty));
    if (event == kEventGadget && EventGadget() == kSettingsSlider) {
      NameGadget(kSettingsSlider, SpokenDifficulty(difficulty));
      Announce(SpokenDifficulty(difficulty));
    }
    const bool closes = event == kEventClose || (event == kEventKey && IsCloseChord(EventKey(), EventModifiers()));
    if (closes || !outcome.empty()) break;
  }
  CloseWindow(kSettingsWindow);
  return outcome + std::to_string(difficulty);
}

std::int32_t DifficultyOfResult(const std::string& result) {
  const bool hasWord = result.starts_with(kGoOnWord) || result.starts_with(kCancelWord);
  return LeadingNumber(hasWord ? result.substr(6) : result);
}

bool ResultGoesOn(const std::string& result) { return result.substr(0, 6) == kGoOnWord; }
