#include "tests/support/AllocationLimit.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kHeader = alignof(std::max_align_t);
constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

std::atomic<std::size_t> gHeld{0};
std::atomic<std::size_t> gLimit{kNoLimit};
std::atomic<std::size_t> gBase{0};
std::atomic<std::size_t> gPeak{0};

void* Allocate(std::size_t size) {
  const std::size_t held = gHeld.load();
  if (gLimit.load() != kNoLimit && (size > gLimit.load() || held + size - gBase.load() > gLimit.load()))
    throw std::bad_alloc();
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = gHeld.fetch_add(size) + size;
  std::size_t peak = gPeak.load();
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void Release(void* memory) noexcept {
  if (memory == nullptr) return;
  char* block = static_cast<char*>(memory) - kHeader;
  gHeld.fetch_sub(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

}  // namespace

AllocationLimit::AllocationLimit(std::size_t bytes) {
  gBase = gHeld.load();
  gPeak = gBase.load();
  gLimit = bytes;
}

AllocationLimit::~AllocationLimit() { gLimit = kNoLimit; }

std::size_t AllocationLimit::Peak() const { return gPeak.load() - gBase.load(); }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { Release(memory); }
