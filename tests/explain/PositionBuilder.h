#pragma once
// Positions for the explaining solver's tests, built by hand.

#include <string>
#include <string_view>
#include <vector>

#include "explain/Position.h"
#include "explain/Step.h"

// The cell of a name such as "D3".
int CellNamed(std::string_view name);
// The units by name: "Zeile 3", "Spalte D", "Block 4".
int Row(int row);
int Column(char column);
int Box(int box);

// Every cell open with all nine candidates.
Position OpenPosition();

// A position from 81 blank-separated cells in reading order: one digit is a
// placed cell, several digits an open cell with those candidates.
Position PositionOfCells(std::string_view cells);

// A position from 81 characters: a digit placed, anything else open.
Position PositionOfLine(std::string_view line);

// Gives an open cell exactly these candidates ("29").
void SetCandidates(Position& position, std::string_view cell, std::string_view digits);

// Leaves a digit in a unit only in the named cells.
void PlacesOnly(Position& position, int unit, int digit, const std::vector<std::string_view>& cells);

// A step's removals as text in reading order, "C5:5 G5:29".
std::string Removals(const Step& step);
