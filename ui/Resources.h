#pragma once
// The numbers of the program's windows, gadgets, menus, images and fonts, and
// its colours (0xBBGGRR).

#include <string>

#include "platform/Platform.h"

// The file dialogs' filter for puzzles, and the open dialog's title.
inline const std::string kPuzzleFilter = "Tolva Sudoku|*.sdk";
inline const std::string kOpenTitle = "\xD6" "ffnen";

// Windows (the main window, kMainWindow, is the window system's number 0).
constexpr int kCellEditorWindow = 1;

// Gadgets of the main window.
constexpr int kCreditGadget = 0;
constexpr int kBoardGadget = 1;
constexpr int kOpenButton = 2;
constexpr int kFileButton = 3;
constexpr int kCreateButton = 4;
constexpr int kSolveButton = 5;
constexpr int kClearButton = 6;
constexpr int kStatusGadget = 7;
constexpr int kStopButton = 8;

// Gadgets of the cell editor: the box of digit d is kFirstDigitBox + d - 1.
constexpr int kFirstDigitBox = 14;
constexpr int kLockBox = 23;

// Pop-up menus and their items.
constexpr int kFileMenu = 1;
constexpr int kSolveMenu = 2;
constexpr int kSaveItem = 9;
constexpr int kPrintItem = 10;
constexpr int kSolveAllItem = 11;
constexpr int kSolveStepItem = 12;
constexpr int kCheckItem = 13;

// Images.
constexpr int kLargeGridImage = 0;  // 900 x 900, for printing
constexpr int kBoardImage = 1;      // 300 x 300
constexpr int kSaveIcon = 2;
constexpr int kOpenIcon = 3;
constexpr int kCreateIcon = 4;
constexpr int kSolveIcon = 5;
constexpr int kClearIcon = 6;
constexpr int kStopIcon = 7;
constexpr int kPageImage = 8;       // the print page
constexpr int kPictureImage = 9;    // a board picture written to a file

// Fonts, all "Arial".
constexpr int kCandidateFont = 1;   // 9 points
constexpr int kDigitFont = 2;       // 30 points
constexpr int kStopFont = 3;        // 7 points
constexpr int kPrintSmallFont = 4;  // 27 points
constexpr int kPrintLargeFont = 5;  // 90 points
constexpr int kSystemFont = 0;      // the window system's default font

// Colours.
constexpr int kWhite = Rgb(255, 255, 255);
constexpr int kBlack = Rgb(0, 0, 0);
constexpr int kBoxLineBlue = Rgb(0, 51, 255);
constexpr int kCyan = Rgb(0, 255, 255);
constexpr int kYellow = Rgb(255, 255, 0);
constexpr int kLightYellow = Rgb(255, 255, 102);
constexpr int kOrange = Rgb(255, 204, 51);
constexpr int kRingGreen = Rgb(0, 204, 0);
constexpr int kTargetRed = Rgb(255, 51, 0);
constexpr int kRed = Rgb(255, 0, 0);
constexpr int kDigitGreen = Rgb(0, 153, 0);
constexpr int kFocusCue = Rgb(204, 0, 204);  // the keyboard's focus cue, unlike any other colour of the board
