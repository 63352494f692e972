#pragma once
// The program's one pseudo-random generator. The program seeds it from the
// millisecond tick count at its first draw, so every run draws a different
// sequence.

#include <cstdint>

// An integer from 0 to bound inclusive, each equally likely (bound >= 0).
std::int32_t RandomDraw(std::int32_t bound);

// Fixes the sequence from the next draw on. Only tests and benchmarks call
// it; a program that never does is seeded from the tick count.
void SeedRandom(std::uint64_t seed);
