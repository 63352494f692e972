#include "generate/Random.h"

#include <chrono>

namespace {

// PCG32 (XSH RR): 64 bits of state, 32-bit outputs.
struct Pcg32 {
  std::uint64_t state = 0;
  std::uint64_t increment = 1442695040888963407ULL;

  void Seed(std::uint64_t seed) {
    state = 0;
    Next();
    state += seed;
    Next();
  }
  std::uint32_t Next() {
    const std::uint64_t old = state;
    state = old * 6364136223846793005ULL + increment;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
    const auto rotation = static_cast<std::uint32_t>(old >> 59);
    return (xorshifted >> rotation) | (xorshifted << ((32 - rotation) & 31));
  }
};

Pcg32 gGenerator;
bool gSeeded = false;

std::uint64_t MillisecondTicks() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void SeedRandom(std::uint64_t seed) {
  gGenerator.Seed(seed);
  gSeeded = true;
}

std::int32_t RandomDraw(std::int32_t bound) {
  if (!gSeeded) SeedRandom(MillisecondTicks());
  if (bound <= 0) return 0;
  // Lemire's multiply-and-reject: unbiased for any range.
  const auto range = static_cast<std::uint32_t>(bound) + 1;
  std::uint64_t product = std::uint64_t{gGenerator.Next()} * range;
  auto low = static_cast<std::uint32_t>(product);
  if (low < range) {
    const std::uint32_t threshold = (0u - range) % range;
    while (low < threshold) {
      product = std::uint64_t{gGenerator.Next()} * range;
      low = static_cast<std::uint32_t>(product);
    }
  }
  return static_cast<std::int32_t>(product >> 32);
}
