#pragma once
// A limit on the heap memory that the program's operator new hands out, for
// tests of memory use that must also run under AddressSanitizer (where a
// limit on the address space cannot be used). Linking AllocationLimit.cpp
// replaces the global operator new and delete of the test program.

#include <cstddef>

// While it lives, an operator new that would hold more than bytes at once in
// all throws std::bad_alloc. Records the most held at once since it began.
class AllocationLimit {
 public:
  explicit AllocationLimit(std::size_t bytes);
  ~AllocationLimit();
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;

  // The most bytes held at once (counted from the start of the limit).
  std::size_t Peak() const;
};
