// Small inline helpers for the per-cell work of the data-file writers: copying
// short texts into an output buffer and reading the integer of a cell. They
// run for every cell of every data line, so they avoid library calls for the
// common short texts and fall back to the general routines for the rest.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text.h"

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
  size_t i = 0;
  while (i < cell.size() && (cell[i] == ' ' || (cell[i] >= '\t' && cell[i] <= '\r'))) ++i;
  return i < cell.size() && cell[i] == '-';
}

// The integer of a cell exactly as platform::leadingLong reads it (32-bit,
// saturating). A cell that begins with a digit, or with '-' and a digit, and
// whose digit run is at most 9 digits long cannot saturate and is converted
// here; every other cell goes to leadingLong.
inline int32_t cellInteger(std::string_view cell) {
  const char* c = cell.data();
  const char* end = c + cell.size();
  bool negative = c < end && *c == '-';
  const char* digits = negative ? c + 1 : c;
  const char* at = digits;
  int32_t value = 0;
  while (at < end && at - digits < 9 && static_cast<unsigned char>(*at - '0') < 10) value = value * 10 + (*at++ - '0');
  if (at == digits || (at < end && static_cast<unsigned char>(*at - '0') < 10))
    return platform::leadingLong(cell);  // no digit at the front, or a long digit run
  return negative ? -value : value;
}

}  // namespace plotgen
