#pragma once
// Little-endian numbers of 1 to 8 bytes inside byte strings, as the history
// file and its journal hold them. Reads and writes stay within the count
// given; callers check that the bytes are there.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline std::uint64_t ReadLittleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

inline void PutLittleEndian(char* out, std::uint64_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void AppendLittleEndian(std::string& bytes, std::uint64_t value, std::size_t count) {
  char word[8];
  PutLittleEndian(word, value, count);
  bytes.append(word, count);
}
