// Fast readers of the decimal numbers and commas of data lines, shared by the
// scanner and the plot generator. Each gives exactly what its plain
// counterpart in text.h gives (leadingDouble, leadingLong, a byte-by-byte
// comma count) for every text; they only take a shorter road for the forms
// that data files hold, and hand everything else to the plain routine. Also
// the one rule by which both compare data values.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

// Two data values are equal when they differ by less than 1e-6: a value and
// its column's missing-value flag, or two altitude steps. A NaN equals nothing.
inline constexpr double kDataValueTolerance = 1e-6;
inline bool nearlyEqual(double a, double b) { return std::fabs(a - b) < kDataValueTolerance; }

// The leading floating-point number of a text, as leadingDouble reads it.
// Decimals of up to 15 digits with a small exponent convert with one exact
// multiplication or division, the rest that begins with a digit through
// std::from_chars (correctly rounded, as strtod is); blanks, signs other than
// one '-', hexadecimal, infinities, NaNs and values out of range go to
// leadingDouble.
double fastLeadingDouble(std::string_view text);

// The leading integer of a text, as leadingLong reads it (32-bit, saturating).
// A text that begins with a digit, or with '-' and a digit, and whose digit
// run is at most 9 digits long cannot saturate and is converted here; every
// other text goes to leadingLong.
inline int32_t fastLeadingLong(std::string_view text) {
  const char* c = text.data();
  const char* end = c + text.size();
  bool negative = c < end && *c == '-';
  const char* digits = negative ? c + 1 : c;
  const char* at = digits;
  int32_t value = 0;
  while (at < end && at - digits < 9 && static_cast<unsigned char>(*at - '0') < 10) value = value * 10 + (*at++ - '0');
  if (at == digits || (at < end && static_cast<unsigned char>(*at - '0') < 10))
    return leadingLong(text);  // no digit at the front, or a long digit run
  return negative ? -value : value;
}

// Eight bytes of text as a word whose lowest byte is the first one.
inline uint64_t loadWord(const char* at) {
  uint64_t word;
  std::memcpy(&word, at, 8);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

// The top bit of every byte of an 8-byte word that is a comma. Exact: the sum
// of the low seven bits of a byte cannot carry into the next byte.
inline uint64_t commaBytes(uint64_t word) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  const uint64_t x = word ^ 0x2C2C2C2C2C2C2C2CULL;  // zero where the byte is ','
  return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
}

// The number of bytes marked by commaBytes: each marked byte is 0x80, the byte
// sum of bits >> 7 lands in the top byte.
inline int markedByteCount(uint64_t bits) { return static_cast<int>(((bits >> 7) * 0x0101010101010101ULL) >> 56); }

// The number of bits set, without the library call that std::popcount becomes
// for processors that lack the instruction (the comma masks are counted on
// every data line).
inline int bitCount(uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ULL);
  x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
  return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

// The commas among 16 bytes of text: bit j is set when byte j is ','.
inline uint32_t commaMask16(const char* at) {
#if defined(__SSE2__)
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(','))));
#else
  uint32_t mask = 0;
  for (int j = 0; j < 16; ++j) mask |= static_cast<uint32_t>(at[j] == ',') << j;
  return mask;
#endif
}

// byteMasks64 (below) with the work on each kind's mask written out, so that
// the masks stay in registers.
template <uint32_t kMarkedPastEnd, class Classify16, size_t... K>
inline __attribute__((always_inline)) std::array<uint64_t, sizeof...(K)> byteMasks64Of(
    const char* lineStart, const char* at, const char* end, Classify16& classify16, std::index_sequence<K...>) {
  constexpr auto marksPastEnd = [](size_t kind) { return (kMarkedPastEnd >> kind & 1) != 0; };
  std::array<uint64_t, sizeof...(K)> masks{};
  const size_t size = static_cast<size_t>(end - lineStart);
  const size_t first = static_cast<size_t>(at - lineStart);
  for (size_t step = 0; step < 64; step += 16) {
    const size_t from = first + step;
    if (from >= size) {
      ((masks[K] |= marksPastEnd(K) ? ~0ULL << step : 0), ...);
      break;
    }
    std::array<uint32_t, sizeof...(K)> bits;
    if (from + 16 <= size) {
      bits = classify16(lineStart + from);
    } else {
      const size_t left = size - from;
      if (size >= 16) {
        bits = classify16(end - 16);
        ((bits[K] >>= 16 - left), ...);
      } else {
        char bytes[16] = {};
        std::memcpy(bytes, lineStart + from, left);
        bits = classify16(static_cast<const char*>(bytes));
        ((bits[K] &= (1u << left) - 1), ...);
      }
      if constexpr (kMarkedPastEnd != 0) {
        const uint32_t pastEnd = ~((1u << left) - 1) & 0xFFFFu;
        ((bits[K] |= marksPastEnd(K) ? pastEnd : 0), ...);
      }
    }
    ((masks[K] |= uint64_t{bits[K]} << step), ...);
  }
  return masks;
}

// The bits of up to 64 bytes of a line, made 16 bytes at a time, for a reader
// that finds its line's commas (and maybe other kinds of bytes) 64 bytes at a
// time. The line runs from lineStart to end; for the bytes from `at` on (at
// <= end), classify16 gives the N masks of 16 bytes (a std::array of uint32_t,
// bit j for byte j, no bit above 15), and the result joins them into 64-bit
// masks, bit j for byte at + j. Only bytes of the line are read: the last
// bytes of a line of 16 or more are the 16 that end it, their bits before the
// step's start shifted out; a shorter line is copied into 16 bytes with zeros
// after it. Bytes past the line's end have no bit, but in the kinds whose bit
// is set in kMarkedPastEnd (bit k for kind k), where they all have theirs.
template <size_t N, uint32_t kMarkedPastEnd = 0, class Classify16>
inline __attribute__((always_inline)) std::array<uint64_t, N> byteMasks64(const char* lineStart, const char* at,
                                                                          const char* end, Classify16 classify16) {
  return byteMasks64Of<kMarkedPastEnd>(lineStart, at, end, classify16, std::make_index_sequence<N>{});
}

// The commas among the bytes of a line from `at` on, at most 64 of them: bit
// j is set when byte at + j is ',' (see byteMasks64).
inline uint64_t commaMask64(const char* lineStart, const char* at, const char* end) {
  return byteMasks64<1>(lineStart, at, end,
                        [](const char* sixteen) { return std::array<uint32_t, 1>{commaMask16(sixteen)}; })[0];
}

// The number of commas in a text, eight bytes at a time.
inline long long countCommas(std::string_view text) {
  long long count = 0;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) count += markedByteCount(commaBytes(loadWord(text.data() + i)));
  for (; i < text.size(); ++i) count += text[i] == ',';
  return count;
}

}  // namespace platform
