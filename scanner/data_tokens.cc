#include "scanner/data_tokens.h"

#include <array>
#include <cstring>

#include "platform/decimal_text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace {

// Classes of one byte.
constexpr bool isSeparator(unsigned char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }
constexpr bool isValueChar(unsigned char c) {
  return (c >= '0' && c <= '9') || c == 'e' || c == 'E' || c == '.' || c == '+' || c == '-';
}

// The separator, other-character and comma bits of 16 bytes (bit j for byte j).
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
  const char* const line = reinterpret_cast<const char*>(bytes);
  // The separators (kind 0) are marked past the end.
  const std::array<uint64_t, 3> masks =
      platform::byteMasks64<3, 1u>(line, line + word * 64, line + size, [](const char* sixteen) {
        uint32_t sep16, other16, comma16;
        classify16(reinterpret_cast<const unsigned char*>(sixteen), sep16, other16, comma16);
        return std::array<uint32_t, 3>{sep16, other16, comma16};
      });
  separators = masks[0];
  others = masks[1];
  commaBits = masks[2];
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
    commaCount += platform::bitCount(commaBits);
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

#if defined(__SSE2__)
// The survey 16 bytes at a time in vector registers: the counts go into byte
// counters (a byte that matches is -1, subtracted) that are summed up before
// they can overflow, the findings are or-ed together, and only lines long
// enough to hold a token of 127 bytes look at the separator bits.
void surveyDataLineBy16(std::string_view line, DataLineSurvey* result) {
  DataLineSurvey& survey = *result;
  survey = DataLineSurvey();
  const size_t size = line.size();
  const char* const bytes = line.data();
  const bool mayHoldLongToken = size >= 127;
  const __m128i zero = _mm_setzero_si128();
  __m128i commaCounts = zero, tokenCounts = zero;
  __m128i others = zero, minusStarts = zero;
  __m128i previousSeparators = _mm_set1_epi8(-1);  // the line's start counts as a separator
  size_t run = 0;  // bytes of the token open at the chunk's start
  bool longToken = false;
  int chunksCounted = 0;
  auto addUpCounts = [&] {
    auto sum = [](__m128i counts) {
      __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
      return static_cast<long long>(_mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    };
    survey.commas += sum(commaCounts);
    survey.tokens += static_cast<size_t>(sum(tokenCounts));
    commaCounts = tokenCounts = zero;
    chunksCounted = 0;
  };
  for (size_t at = 0; at < size; at += 16) {
    __m128i v;
    if (at + 16 <= size) {
      v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
    } else {
      // The last bytes, padded with blanks (separators, no value character).
      char tail[16];
      std::memset(tail, ' ', sizeof tail);
      std::memcpy(tail, bytes + at, size - at);
      v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tail));
    }
    auto eq = [&v](char c) __attribute__((always_inline)) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    const __m128i comma = eq(',');
    const __m128i minus = eq('-');
    const __m128i separators =
        _mm_or_si128(_mm_or_si128(eq(' '), comma), _mm_or_si128(_mm_or_si128(eq('\t'), eq('\r')), eq('\n')));
    const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(9)), offset);
    const __m128i letterE = _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8('e'));
    const __m128i value = _mm_or_si128(_mm_or_si128(digit, letterE), _mm_or_si128(_mm_or_si128(eq('.'), eq('+')), minus));
    // Byte j follows a separator when byte j - 1 is one (byte 15 of the
    // previous chunk for byte 0).
    const __m128i afterSeparator =
        _mm_or_si128(_mm_slli_si128(separators, 1), _mm_srli_si128(previousSeparators, 15));
    const __m128i starts = _mm_andnot_si128(separators, afterSeparator);
    previousSeparators = separators;
    commaCounts = _mm_sub_epi8(commaCounts, comma);
    tokenCounts = _mm_sub_epi8(tokenCounts, starts);
    others = _mm_or_si128(others, _mm_andnot_si128(_mm_or_si128(separators, value), _mm_set1_epi8(-1)));
    minusStarts = _mm_or_si128(minusStarts, _mm_and_si128(minus, starts));
    if (++chunksCounted == 255) addUpCounts();
    if (mayHoldLongToken) {
      // A token that runs through the chunk grows by 16; else the open token
      // ends at the first separator, and one may open after the last.
      const uint32_t separatorBits = static_cast<uint32_t>(_mm_movemask_epi8(separators));
      if (separatorBits == 0) {
        run += 16;
        longToken |= run >= 127;
      } else {
        longToken |= run + static_cast<size_t>(__builtin_ctz(separatorBits)) >= 127;
        run = static_cast<size_t>(__builtin_clz(separatorBits << 16));
      }
    }
  }
  addUpCounts();
  survey.plain = _mm_movemask_epi8(_mm_or_si128(others, minusStarts)) == 0 && !longToken;
}
#else
// The survey through the split where there are no vector instructions.
void surveyDataLineBy16(std::string_view line, DataLineSurvey* result) {
  DataLineSplitter splitter;
  DataLineSurvey& survey = *result;
  survey = DataLineSurvey();
  for (char c : line) survey.commas += c == ',';
  survey.tokens = splitter.split(line).size();
  survey.plain = true;
  for (const DataToken& token : splitter.tokens) survey.plain = survey.plain && token.valueText && token.text[0] != '-';
}
#endif

#if defined(__x86_64__) && defined(__GNUC__)
namespace {

// 32 zero bytes, then 32 bytes of all ones: the 32 bytes from kTailMask + n
// mark the last n of 32 bytes.
alignas(64) constexpr unsigned char kTailMask[64] = {
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// The bytes of v that are c (all ones), the others 0.
__attribute__((target("avx2"), always_inline)) inline __m256i bytesEqual(__m256i v, char c) {
  return _mm256_cmpeq_epi8(v, _mm256_set1_epi8(c));
}

// The sum of the 32 byte counters.
__attribute__((target("avx2"), always_inline)) inline long long byteSum(__m256i counts) {
  const __m256i sums = _mm256_sad_epu8(counts, _mm256_setzero_si256());
  const __m128i halves = _mm_add_epi64(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
  return _mm_cvtsi128_si64(halves) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(halves, halves));
}

// The survey of a line of 32 to 126 bytes made of value characters, blanks
// and commas only, as nearly every data line is: 32 bytes at a time, where
// the processor has 256-bit vectors. False (nothing found out) for any other
// line, which the 16-byte survey then takes. In such a line the blanks and
// commas are the only separators, nothing is no value character, and no token
// can reach 127 bytes, so the survey is the counts and the minus starts. The
// last bytes are the 32 that end the line, those looked at already masked out.
__attribute__((target("avx2"))) bool surveyPlainLineBy32(std::string_view line, DataLineSurvey* survey) {
  const size_t size = line.size();
  if (size < 32 || size >= 127) return false;
  const char* const bytes = line.data();
  const __m256i zero = _mm256_setzero_si256();
  const __m256i all = _mm256_set1_epi8(-1);
  __m256i outside = zero, commaCounts = zero, tokenCounts = zero, minusStarts = zero;
  __m256i previousSeparators = all;  // the line's start counts as a separator
  for (size_t at = 0; at < size; at += 32) {
    __m256i v, looked = all;
    if (at + 32 <= size) {
      v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + at));
    } else {
      v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + size - 32));
      looked = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kTailMask + (size - at)));
    }
    const __m256i comma = bytesEqual(v, ','), blank = bytesEqual(v, ' '), minus = bytesEqual(v, '-');
    // "+,-./" and the digits are the bytes 0x2B to 0x39; '/' is no value character.
    const __m256i offset = _mm256_sub_epi8(v, _mm256_set1_epi8(0x2B));
    const __m256i inRange = _mm256_cmpeq_epi8(_mm256_min_epu8(offset, _mm256_set1_epi8(14)), offset);
    const __m256i letterE = _mm256_cmpeq_epi8(_mm256_or_si256(v, _mm256_set1_epi8(0x20)), _mm256_set1_epi8('e'));
    const __m256i allowed = _mm256_or_si256(_mm256_or_si256(_mm256_andnot_si256(bytesEqual(v, '/'), inRange), letterE), blank);
    outside = _mm256_or_si256(outside, _mm256_andnot_si256(allowed, looked));
    const __m256i separators = _mm256_or_si256(blank, comma);
    // Byte j follows a separator when byte j - 1 is one (byte 31 of the
    // previous 32 for byte 0): the separators moved up one byte across the
    // two 128-bit halves.
    const __m256i carried = _mm256_permute2x128_si256(separators, previousSeparators, 0x03);
    const __m256i afterSeparator = _mm256_alignr_epi8(separators, carried, 15);
    const __m256i starts = _mm256_and_si256(_mm256_andnot_si256(separators, afterSeparator), looked);
    previousSeparators = separators;
    commaCounts = _mm256_sub_epi8(commaCounts, _mm256_and_si256(comma, looked));
    tokenCounts = _mm256_sub_epi8(tokenCounts, starts);
    minusStarts = _mm256_or_si256(minusStarts, _mm256_and_si256(minus, starts));
  }
  if (!_mm256_testz_si256(outside, outside)) return false;
  // At most four rounds: every byte counter holds 4 at the most.
  survey->commas = byteSum(commaCounts);
  survey->tokens = static_cast<size_t>(byteSum(tokenCounts));
  survey->plain = _mm256_testz_si256(minusStarts, minusStarts) != 0;
  return true;
}

}  // namespace

void surveyDataLine(std::string_view line, DataLineSurvey* survey) {
  // The processor's features are detected once, when the program starts: the
  // test reads that result.
  if (!__builtin_cpu_supports("avx2") || !surveyPlainLineBy32(line, survey)) surveyDataLineBy16(line, survey);
}
#else
void surveyDataLine(std::string_view line, DataLineSurvey* survey) { surveyDataLineBy16(line, survey); }
#endif
