#include "platform/decimal_text.h"

#include <charconv>

namespace platform {
namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

inline bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// A whole text of the form [-]digits[.digits][(e|E)[+|-]digits] with at most
// 15 digits before the exponent and at most 3 in it, whose scale lies within
// the exact powers of ten: the mantissa and the power are both exact, so one
// multiplication or division rounds once, to the nearest double, as strtod
// does. False for anything else.
bool exactShortDecimal(std::string_view text, double* result) {
  const char* c = text.data();
  const char* const end = c + text.size();
  const bool negative = c < end && *c == '-';
  if (negative) ++c;
  int64_t mantissa = 0;
  int digits = 0;
  int fractionDigits = 0;
  for (; c < end && isDigit(*c); ++c) {
    if (++digits > 15) return false;
    mantissa = mantissa * 10 + (*c - '0');
  }
  if (c < end && *c == '.') {
    for (++c; c < end && isDigit(*c); ++c) {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + (*c - '0');
      ++fractionDigits;
    }
  }
  if (digits == 0) return false;
  int exponent = 0;
  if (c < end && (*c == 'e' || *c == 'E')) {
    ++c;
    const bool negativeExponent = c < end && *c == '-';
    if (c < end && (*c == '-' || *c == '+')) ++c;
    int exponentDigits = 0;
    for (; c < end && isDigit(*c); ++c) {
      if (++exponentDigits > 3) return false;
      exponent = exponent * 10 + (*c - '0');
    }
    if (exponentDigits == 0) return false;
    if (negativeExponent) exponent = -exponent;
  }
  if (c != end) return false;
  const int scale = exponent - fractionDigits;
  double value = static_cast<double>(mantissa);
  if (scale >= 0 && scale <= 22)
    value *= kExactPowersOfTen[scale];
  else if (scale < 0 && scale >= -22)
    value /= kExactPowersOfTen[-scale];
  else
    return false;
  *result = negative ? -value : value;
  return true;
}

}  // namespace

double fastLeadingDouble(std::string_view text) {
  double value = 0;
  if (exactShortDecimal(text, &value)) return value;
  // from_chars reads what strtod reads from a text that begins with a digit or
  // '.', after at most one '-', except a hexadecimal number ("0x..."), which
  // it reads as its leading 0.
  const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
  if (first < text.size() && (isDigit(text[first]) || text[first] == '.')) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && (end == text.data() + text.size() || (*end != 'x' && *end != 'X'))) return value;
  }
  return leadingDouble(text);
}

}  // namespace platform
