#pragma once
// Alternating chains: X-chains (one digit), XY-chains (bivalue cells) and
// chains that mix both. Each finder gives one of the shortest chains that
// removes a candidate, with every candidate it removes.

#include "explain/Position.h"
#include "explain/Step.h"

bool FindXChain(const Position& position, Step& step);
bool FindXYChain(const Position& position, Step& step);
bool FindAlternatingChain(const Position& position, Step& step);
