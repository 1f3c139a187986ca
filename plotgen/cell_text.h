// Small inline helpers for the per-cell work of the data-file writers: copying
// short texts into an output buffer and telling whether a cell may be
// negative. They run for every cell of every data line, so they avoid library
// calls for the common short texts. The cells' numbers are read by
// platform/decimal_text.h.
#pragma once

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

// Whether the integer of a cell (as atoi reads it) can be negative: only when
// a '-' follows the leading white space. Most cells begin with a digit and
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
// equal to the flag (within 1e-6, the scanner's own rule). The scanner compares numbers, so "-9.999e3" is the flag -9999
// as "-9999" is, though the integer of the one is -9 and that of the other
// -9999. Only a cell that may be negative is converted; a NaN flag (a column
// the scanner compares with no flag) matches nothing.
inline bool isScannedFlag(std::string_view cell, double flag) {
  if (!mayBeNegative(cell)) return false;
  const double value = platform::fastLeadingDouble(cell);
  return value < 0 && platform::nearlyEqual(value, flag);
}

}  // namespace plotgen
