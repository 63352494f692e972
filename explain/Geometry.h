#pragma once
// The 81 puzzle cells and 27 units as the explaining solver numbers them.
//
// A cell is 0 to 80 in reading order: cell = 9 x (row - 1) + column - 1, so
// column 1 ("A") and row 1 are cell 0, and D3 is cell 21. A unit is 0 to 26:
// rows 1 to 9 are units 0 to 8, columns A to I units 9 to 17, boxes 1 to 9
// (reading order) units 18 to 26. A digit set is a 9-bit mask, bit d - 1 for
// digit d.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "board/CandidateQueries.h"

// An element of an array by an int index, for the many loops over cells,
// units and digits.
template <typename Array>
constexpr auto& Item(Array& array, int index) {
  return array[static_cast<std::size_t>(index)];
}

constexpr int kCells = 81;
constexpr int kUnits = 27;
constexpr int kFirstColumnUnit = 9;
constexpr int kFirstBoxUnit = 18;

constexpr int CellAt(int column, int row) { return 9 * (row - 1) + column - 1; }
constexpr int ColumnOf(int cell) { return cell % 9 + 1; }
constexpr int RowOf(int cell) { return cell / 9 + 1; }
constexpr int BoxOf(int cell) { return (cell / 27) * 3 + (cell % 9) / 3 + 1; }

constexpr int RowUnit(int row) { return row - 1; }
constexpr int ColumnUnit(int column) { return kFirstColumnUnit + column - 1; }
constexpr int BoxUnit(int box) { return kFirstBoxUnit + box - 1; }
constexpr bool IsRowUnit(int unit) { return unit < kFirstColumnUnit; }
constexpr bool IsColumnUnit(int unit) { return unit >= kFirstColumnUnit && unit < kFirstBoxUnit; }
constexpr bool IsBoxUnit(int unit) { return unit >= kFirstBoxUnit; }

// Counting bits without the processor's instruction, which the baseline of
// the architecture lacks (a library call otherwise): a table for digit
// sets, adds of bit fields for 64 bits.
inline constexpr std::array<std::uint8_t, 512> kDigitCounts = [] {
  std::array<std::uint8_t, 512> counts{};
  for (std::size_t mask = 1; mask < counts.size(); ++mask)
    counts[mask] = static_cast<std::uint8_t>(counts[mask & (mask - 1)] + 1);
  return counts;
}();
constexpr int BitCount(std::uint64_t bits) {
  bits -= (bits >> 1) & 0x5555555555555555u;
  bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int>((bits * 0x0101010101010101u) >> 56);
}

constexpr int DigitBit(int digit) { return 1 << (digit - 1); }
// The digits in a set (bits above the ninth are ignored).
constexpr int DigitCount(int mask) { return kDigitCounts[static_cast<std::size_t>(mask & 0x1FF)]; }
// The smallest digit of a non-empty mask.
constexpr int FirstDigit(int mask) { return std::countr_zero(static_cast<unsigned>(mask)) + 1; }

// A set of cells: bit c for cell c.
class CellSet {
 public:
  constexpr CellSet() = default;
  static constexpr CellSet All() {
    CellSet all;
    all.low_ = ~std::uint64_t{0};
    all.high_ = (std::uint64_t{1} << (kCells - 64)) - 1;
    return all;
  }
  static constexpr CellSet Of(int cell) {
    CellSet one;
    one.Add(cell);
    return one;
  }

  constexpr void Add(int cell) {
    if (cell < 64) low_ |= std::uint64_t{1} << cell;
    else high_ |= std::uint64_t{1} << (cell - 64);
  }
  constexpr void Remove(int cell) {
    if (cell < 64) low_ &= ~(std::uint64_t{1} << cell);
    else high_ &= ~(std::uint64_t{1} << (cell - 64));
  }
  constexpr bool Has(int cell) const {
    return cell < 64 ? (low_ >> cell) & 1 : (high_ >> (cell - 64)) & 1;
  }
  constexpr bool Empty() const { return (low_ | high_) == 0; }
  constexpr int Count() const { return BitCount(low_) + BitCount(high_); }
  // At most one cell: cheaper than counting.
  constexpr bool AtMostOne() const {
    return (low_ & (low_ - 1)) == 0 && (high_ & (high_ - 1)) == 0 && !(low_ && high_);
  }
  // The smallest cell of a non-empty set.
  constexpr int First() const {
    return low_ ? std::countr_zero(low_) : 64 + std::countr_zero(high_);
  }

  constexpr CellSet operator&(CellSet other) const { return {low_ & other.low_, high_ & other.high_}; }
  constexpr CellSet operator|(CellSet other) const { return {low_ | other.low_, high_ | other.high_}; }
  constexpr CellSet Without(CellSet other) const { return {low_ & ~other.low_, high_ & ~other.high_}; }
  constexpr CellSet& operator&=(CellSet other) { return *this = *this & other; }
  constexpr CellSet& operator|=(CellSet other) { return *this = *this | other; }
  constexpr bool operator==(const CellSet&) const = default;

  // The cells in ascending order: for (int cell : set).
  class Iterator {
   public:
    constexpr Iterator(std::uint64_t low, std::uint64_t high) : low_(low), high_(high) {}
    constexpr int operator*() const { return low_ ? std::countr_zero(low_) : 64 + std::countr_zero(high_); }
    constexpr Iterator& operator++() {
      if (low_) low_ &= low_ - 1;
      else high_ &= high_ - 1;
      return *this;
    }
    constexpr bool operator!=(const Iterator& other) const { return low_ != other.low_ || high_ != other.high_; }

   private:
    std::uint64_t low_, high_;
  };
  constexpr Iterator begin() const { return {low_, high_}; }
  constexpr Iterator end() const { return {0, 0}; }

 private:
  constexpr CellSet(std::uint64_t low, std::uint64_t high) : low_(low), high_(high) {}
  std::uint64_t low_ = 0;
  std::uint64_t high_ = 0;
};

// The nine cells of each unit in order: a row left to right, a column top to
// bottom, a box row by row.
inline constexpr std::array<std::array<std::uint8_t, 9>, kUnits> kUnitCells = [] {
  std::array<std::array<std::uint8_t, 9>, kUnits> units{};
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 9; ++j) {
      const auto u = static_cast<std::size_t>(i), k = static_cast<std::size_t>(j);
      units[u][k] = static_cast<std::uint8_t>(9 * i + j);
      units[9 + u][k] = static_cast<std::uint8_t>(9 * j + i);
      units[18 + u][k] = static_cast<std::uint8_t>((i / 3 * 3 + j / 3) * 9 + i % 3 * 3 + j % 3);
    }
  return units;
}();

// The same cells as sets.
inline constexpr std::array<CellSet, kUnits> kUnitSet = [] {
  std::array<CellSet, kUnits> sets{};
  for (std::size_t unit = 0; unit < kUnits; ++unit)
    for (std::uint8_t cell : kUnitCells[unit]) sets[unit].Add(cell);
  return sets;
}();

// The row, column and box unit of each cell, in that order.
inline constexpr std::array<std::array<std::uint8_t, 3>, kCells> kCellUnits = [] {
  std::array<std::array<std::uint8_t, 3>, kCells> units{};
  for (int cell = 0; cell < kCells; ++cell)
    units[static_cast<std::size_t>(cell)] = {static_cast<std::uint8_t>(RowUnit(RowOf(cell))),
                                             static_cast<std::uint8_t>(ColumnUnit(ColumnOf(cell))),
                                             static_cast<std::uint8_t>(BoxUnit(BoxOf(cell)))};
  return units;
}();

// The 20 other cells that share a unit with each cell.
inline constexpr std::array<CellSet, kCells> kPeers = [] {
  std::array<CellSet, kCells> peers{};
  for (std::size_t cell = 0; cell < kCells; ++cell) {
    for (std::uint8_t unit : kCellUnits[cell]) peers[cell] |= kUnitSet[unit];
    peers[cell].Remove(static_cast<int>(cell));
  }
  return peers;
}();

inline bool SeesEachOther(int a, int b) { return kPeers[static_cast<std::size_t>(a)].Has(b); }
inline CellSet PeersOf(int cell) { return kPeers[static_cast<std::size_t>(cell)]; }
inline CellSet UnitSet(int unit) { return kUnitSet[static_cast<std::size_t>(unit)]; }
inline int UnitCell(int unit, int index) {
  return kUnitCells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(index)];
}
// The position of a cell within a unit that holds it, 0 to 8; -1 when the
// unit does not hold it.
constexpr int IndexInUnit(int unit, int cell) {
  for (int index = 0; index < 9; ++index)
    if (kUnitCells[static_cast<std::size_t>(unit)][static_cast<std::size_t>(index)] == cell) return index;
  return -1;
}
