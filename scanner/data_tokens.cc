#include "scanner/data_tokens.h"

#include <charconv>
#include <cstring>

#include "platform/text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Classes of one byte.
constexpr bool isSeparator(unsigned char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }
constexpr bool isValueChar(unsigned char c) {
  return (c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '.' || c == '+' || c == '-';
}

// The separator and other-character bits of 16 bytes (bit j for byte j).
// Bits set in a 64-bit mask.
inline int bitCount(uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ULL);
  x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
  return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

inline __attribute__((always_inline)) void classify16(const unsigned char* bytes, uint32_t& separators,
                                                     uint32_t& others, uint32_t& commas) {
#if defined(__SSE2__)
  __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  auto eq = [&v](char c) __attribute__((always_inline)) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
  __m128i comma = eq(',');
  __m128i sep = _mm_or_si128(_mm_or_si128(eq(' '), comma), _mm_or_si128(_mm_or_si128(eq('\t'), eq('\r')), eq('\n')));
  __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
  __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(9)), offset);
  __m128i value =
      _mm_or_si128(_mm_or_si128(digit, _mm_or_si128(eq('e'), eq('E'))), _mm_or_si128(eq('.'), _mm_or_si128(eq('+'), eq('-'))));
  uint32_t sepMask = static_cast<uint32_t>(_mm_movemask_epi8(sep));
  uint32_t valueMask = static_cast<uint32_t>(_mm_movemask_epi8(value));
  separators = sepMask;
  others = ~(sepMask | valueMask) & 0xFFFFu;
  commas = static_cast<uint32_t>(_mm_movemask_epi8(comma));
#else
  separators = others = commas = 0;
  for (int j = 0; j < 16; ++j) {
    if (bytes[j] == ',') commas |= 1u << j;
    if (isSeparator(bytes[j]))
      separators |= 1u << j;
    else if (!isValueChar(bytes[j]))
      others |= 1u << j;
  }
#endif
}

// Whether any bit in [from, to) is set.
bool anyBit(const std::vector<uint64_t>& words, size_t from, size_t to) {
  while (from < to) {
    size_t word = from / 64, shift = from % 64;
    size_t span = to - from < 64 - shift ? to - from : 64 - shift;
    uint64_t mask = span == 64 ? ~0ULL : ((1ULL << span) - 1) << shift;
    if (words[word] & mask) return true;
    from += span;
  }
  return false;
}


// The separator, other-character and comma bits of the 64 bytes of `word`; the
// bytes past the line's end count as separators.
inline void classify64(const unsigned char* bytes, size_t size, size_t word, uint64_t& separators,
                       uint64_t& others, uint64_t& commaBits) {
  separators = others = commaBits = 0;
  for (size_t part = 0; part < 4; ++part) {
    size_t at = word * 64 + part * 16;
    if (at >= size) {
      separators |= ~0ULL << (part * 16);
      return;
    }
    uint32_t sep16, other16, comma16;
    if (at + 16 <= size) {
      classify16(bytes + at, sep16, other16, comma16);
    } else {
      const size_t rest = size - at;
      if (size >= 16) {
        // The last 16 bytes of the line, shifted so that bit 0 is byte `at`.
        classify16(bytes + size - 16, sep16, other16, comma16);
        sep16 >>= 16 - rest;
        other16 >>= 16 - rest;
        comma16 >>= 16 - rest;
      } else {
        unsigned char tail[16] = {};
        std::memcpy(tail, bytes + at, rest);
        classify16(tail, sep16, other16, comma16);
      }
      uint32_t valid = (1u << rest) - 1;
      sep16 = (sep16 & valid) | (~valid & 0xFFFFu);
      other16 &= valid;
      comma16 &= valid;
    }
    commaBits |= static_cast<uint64_t>(comma16) << (part * 16);
    separators |= static_cast<uint64_t>(sep16) << (part * 16);
    others |= static_cast<uint64_t>(other16) << (part * 16);
  }
}

}  // namespace

const std::vector<DataToken>& DataLineSplitter::split(std::string_view line) {
  const size_t size = line.size();
  const size_t words = size / 64 + 1;
  otherBits.resize(words);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(line.data());
  commaCount = 0;
  tokens.clear();
  // A token starts at a non-separator after a separator (the line's start
  // counts as one) and ends at the next separator; the bytes past the end are
  // separators, so every start has its end. A token is emitted at its end,
  // when the other-character bits of all its bytes are known.
  uint64_t carry = 1;
  bool open = false;
  bool anyOther = false;  // most lines hold value characters only
  size_t start = 0;
  for (size_t word = 0; word < words; ++word) {
    uint64_t separators, others, commaBits;
    classify64(bytes, size, word, separators, others, commaBits);
    commaCount += bitCount(commaBits);
    otherBits[word] = others;
    anyOther |= others != 0;
    uint64_t previousIsSeparator = (separators << 1) | carry;
    carry = separators >> 63;
    uint64_t startBits = ~separators & previousIsSeparator;
    uint64_t endBits = separators & ~previousIsSeparator;
    const size_t base = word * 64;
    for (;;) {
      if (!open) {
        if (!startBits) break;
        start = base + static_cast<size_t>(__builtin_ctzll(startBits));
        startBits &= startBits - 1;
        open = true;
      } else {
        if (!endBits) break;
        size_t end = base + static_cast<size_t>(__builtin_ctzll(endBits));
        endBits &= endBits - 1;
        open = false;
        bool valueText = end - start < 127 && !(anyOther && anyBit(otherBits, start, end));
        tokens.push_back(DataToken{std::string_view(line.data() + start, end - start), valueText});
      }
    }
  }
  return tokens;
}

// The value of a data token as the C run-time's atof reads it in the C locale.
// The common forms go through from_chars; a leading '+' and values out of the
// double range take the general conversion.
double dataTokenValue(std::string_view token) {
  // Plain decimals of up to 15 digits (the altitudes) are exact as integer
  // over a power of ten, so one division rounds them as strtod does.
  static const double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  {
    size_t i = 0;
    bool negative = !token.empty() && token[0] == '-';
    if (negative) ++i;
    int64_t mantissa = 0;
    int digits = 0, fraction = 0;
    bool point = false, plain = i < token.size();
    for (; i < token.size(); ++i) {
      char c = token[i];
      if (c >= '0' && c <= '9') {
        mantissa = mantissa * 10 + (c - '0');
        fraction += point;
        if (++digits > 15) break;
      } else if (c == '.' && !point) {
        point = true;
      } else {
        plain = false;
        break;
      }
    }
    if (plain && digits > 0 && digits <= 15) {
      double value = static_cast<double>(mantissa) / kPowersOfTen[fraction];
      return negative ? -value : value;
    }
  }
  if (!token.empty() && token[0] != '+') {
    double value = 0;
    auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    (void)end;
    if (error == std::errc()) return value;
    if (error == std::errc::invalid_argument) return 0;  // no number at the start
  }
  return platform::leadingDouble(token);
}
