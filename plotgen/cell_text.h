// Small inline helpers for the per-cell work of the data-file writers: copying
// short texts into an output buffer and telling whether a cell may be
// negative, and reading the integer of a cell. They run for every cell of
// every data line, so they avoid library calls for the common short texts.
// The cells' numbers are read by platform/decimal_text.h.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/decimal_text.h"

namespace plotgen {

// Copies text to out and returns the position after it. Texts of up to 32
// bytes (cells, stamps) are copied with two overlapping fixed-size moves
// instead of a library call; nothing outside the text is read and nothing
// outside [out, out + size) is written.
inline char* putText(char* out, std::string_view text) {
  const char* from = text.data();
  const size_t size = text.size();
  if (size > 16 && size <= 32) {
    std::memcpy(out, from, 16);
    std::memcpy(out + size - 16, from + size - 16, 16);
  } else if (size >= 8 && size <= 16) {
    std::memcpy(out, from, 8);
    std::memcpy(out + size - 8, from + size - 8, 8);
  } else if (size >= 4 && size < 8) {
    std::memcpy(out, from, 4);
    std::memcpy(out + size - 4, from + size - 4, 4);
  } else if (size < 4) {
    for (size_t i = 0; i < size; ++i) out[i] = from[i];
  } else {
    std::memcpy(out, from, size);
  }
  return out + size;
}

// A whole number as an int: the value truncated toward zero, held within the
// 32-bit range (the ends for values beyond it and for infinities), 0 for NaN.
inline int32_t wholeNumber(double value) {
  if (std::isnan(value)) return 0;
  if (value <= INT32_MIN) return INT32_MIN;
  if (value >= INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(value);
}

// Whether an 8-byte word holds an 'e' or 'E' (the two bytes that setting bit
// 0x20 turns into 'e'): the word folded so that those bytes are 0, then the
// zero-byte test, exact as to whether any byte is 0.
inline bool holdsExponentLetter(uint64_t word) {
  const uint64_t x = (word | 0x2020202020202020ULL) ^ 0x6565656565656565ULL;
  return ((x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL) != 0;
}

// Whether a text holds an 'e' or 'E'. Cells are short: a text of up to 16
// bytes is looked at in at most two loads, without a byte loop (1 to 3 bytes:
// the first, middle and last; 4 to 16: the first and last 4 or 8, which
// overlap); nothing outside the text is read.
inline __attribute__((always_inline)) bool hasExponentLetter(std::string_view text) {
  const char* at = text.data();
  const size_t size = text.size();
  if (size < 4) {
    if (size == 0) return false;
    auto byte = [at](size_t i) { return uint64_t{static_cast<unsigned char>(at[i])}; };
    return holdsExponentLetter(byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16);
  }
  if (size <= 8) {
    uint32_t first, last;
    std::memcpy(&first, at, 4);
    std::memcpy(&last, at + size - 4, 4);
    return holdsExponentLetter(uint64_t{first} | uint64_t{last} << 32);
  }
  uint64_t word;
  for (size_t i = 0; i + 8 < size; i += 8) {
    std::memcpy(&word, at + i, 8);
    if (holdsExponentLetter(word)) return true;
  }
  std::memcpy(&word, at + size - 8, 8);
  return holdsExponentLetter(word);
}

// The integer of a data cell: the whole-number part of its number, truncated
// toward zero and held within the 32-bit range, in every spelling the
// data-file scanner passes (plain decimals, exponent form, a leading '+'), so
// that "4.05e+01" means what "40.5" means. A cell without an exponent letter
// is read as atoi reads it: the digits before the point ("+45.9" is 45, "-0.5"
// is 0). A cell with one is read as atof reads it and truncated ("4.05e+01"
// is 40, "-5e-1" is 0, "1e10" is the largest int).
inline __attribute__((always_inline)) int32_t cellInteger(std::string_view cell) {
  if (!hasExponentLetter(cell)) return platform::fastLeadingLong(cell);
  return wholeNumber(platform::fastLeadingDouble(cell));
}

// Whether the integer of a cell (cellInteger) can be negative: only when a
// '-' follows the leading white space. Most cells begin with a digit and
// need no conversion to know that.
inline bool mayBeNegative(std::string_view cell) {
  // Most cells begin with a digit (or with '-'): no white space to pass.
  if (!cell.empty() && static_cast<unsigned char>(cell[0]) > ' ') return cell[0] == '-';
  size_t i = 0;
  while (i < cell.size() && (cell[i] == ' ' || (cell[i] >= '\t' && cell[i] <= '\r'))) ++i;
  return i < cell.size() && cell[i] == '-';
}

// Whether the data-file scanner takes a cell for the missing-value flag
// `flag`: the cell's number, as atof reads it, lies below 0 and is nearly
// equal to the flag (within 1e-6, the scanner's own rule). The scanner
// compares numbers, so "-9998.9999995" is the flag -9999 as "-9999" is,
// though its integer is -9998. Only a cell that may be negative is converted;
// a NaN flag (a column the scanner compares with no flag) matches nothing.
inline bool isScannedFlag(std::string_view cell, double flag) {
  if (!mayBeNegative(cell)) return false;
  const double value = platform::fastLeadingDouble(cell);
  return value < 0 && platform::nearlyEqual(value, flag);
}

}  // namespace plotgen
