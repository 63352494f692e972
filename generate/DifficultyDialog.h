#pragma once
// The settings window that asks for the difficulty before a puzzle is made,
// and what the create button does with its answer.

#include <cstdint>
#include <string>

// The window "Einstellungen" and its gadgets.
constexpr int kSettingsWindow = 3;
constexpr int kSettingsWarning = 24;  // the warning text
constexpr int kSettingsFrame = 25;    // "Schwierigkeit: "
constexpr int kSettingsSlider = 26;   // positions 0 to 50: the difficulty - 10
constexpr int kSettingsLevel = 27;    // "Stufe: ..."
constexpr int kSettingsGoOn = 28;     // "Weiter"
constexpr int kSettingsCancel = 29;   // "Abbruch"

// The level a difficulty is shown as: "Stufe: Leicht" up to 26, "Stufe:
// Mittel" from 27 to 53, "Stufe: Schwer" from 54.
std::string LevelLabel(std::int32_t difficulty);

// The slider position a difficulty starts at: difficulty - 10, saturating at
// the lowest 32-bit value, so every difficulty (also one edited into
// "Data.prefs") gives a defined start position.
std::int32_t SliderStartPosition(std::int32_t difficulty);

// Opens the window "Einstellungen" with the slider at startPosition (shown at
// the nearer end when outside 0 to 50) and waits for the user. Returns the
// outcome word followed by the difficulty (slider position + 10): "weiter"
// for "Weiter", "zurück" for "Abbruch", no word when a window was closed or
// the chord of "quit" (Ctrl+Q, Ctrl+W) was pressed in any window, which
// counts as a close request. Every other event of the other windows is
// dropped.
std::string AskDifficulty(std::int32_t startPosition);

// The difficulty a result carries: the number after the outcome word, or the
// whole text's number when it has none.
std::int32_t DifficultyOfResult(const std::string& result);

// True when the result asks to go on and generate.
bool ResultGoesOn(const std::string& result);
