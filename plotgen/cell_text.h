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

// The top bit of every byte of an 8-byte word that is 'e' or 'E' (the two
// bytes that setting bit 0x20 turns into 'e'). Exact, as commaBytes is.
inline uint64_t exponentLetterBytes(uint64_t word) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  const uint64_t x = (word | 0x2020202020202020ULL) ^ 0x6565656565656565ULL;  // zero where the byte is 'e' or 'E'
  return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
}

// Whether a text holds an 'e' or 'E'. Cells are short: a text of 4 to 16
// bytes is looked at in two overlapping loads, without a byte loop; nothing
// outside the text is read.
inline __attribute__((always_inline)) bool hasExponentLetter(std::string_view text) {
  const char* at = text.data();
  const size_t size = text.size();
  uint64_t word;
  if (size >= 8 && size <= 16) {
    uint64_t last;
    std::memcpy(&word, at, 8);
    std::memcpy(&last, at + size - 8, 8);
    return (exponentLetterBytes(word) | exponentLetterBytes(last)) != 0;
  }
  if (size >= 4 && size < 8) {
    uint32_t first, last;
    std::memcpy(&first, at, 4);
    std::memcpy(&last, at + size - 4, 4);
    return exponentLetterBytes(uint64_t{first} | uint64_t{last} << 32) != 0;
  }
  for (size_t i = 0; i < size; ++i)
    if ((at[i] | 0x20) == 'e') return true;
  return false;
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
