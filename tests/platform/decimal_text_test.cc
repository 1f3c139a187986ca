// The fast number and comma readers against the plain routines they stand for,
// on edge cases and on many random texts.
#include "platform/decimal_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace {

// Same bits as leadingDouble (any NaN for a NaN).
void expectSameDouble(const std::string& text) {
  const double fast = platform::fastLeadingDouble(text);
  const double plain = platform::leadingDouble(text);
  if (std::isnan(plain)) {
    EXPECT_TRUE(std::isnan(fast)) << text;
  } else {
    EXPECT_EQ(std::memcmp(&fast, &plain, sizeof fast), 0) << text << ": " << fast << " vs " << plain;
  }
}

TEST(DecimalText, DoubleEdgeCases) {
  const char* const cases[] = {
      "100.0", "-100.0", "0", "-0", "-0.0", ".5", "-.5", "5.", ".", "-", "+", "+5", "+-5", "-+5", "--5", "1e5",
      "1e", "1e+", "1e-", "-1.5e-3", "1.2.3", "12.34.", "e5", "E", "1e400", "-1e400", "1e-400", "-1e-400",
      "123456789012345", "1234567890123456", "0.123456789012345", "99999999999999999999.5", "2.0000e+25",
      "1.0000e+23", "-9999", "-9999.0000001", "000000000000000000001.5", "0.1", "0.3", "850.00", "48.417", "-3.2",
      "1.2000e+18", "9.0000e+16", "1e22", "1e23", "1e-22", "1e-23", "5e-324", "2e-324", "4.9406564584124654e-324",
      "2.2250738585072011e-308", "1.7976931348623157e308", "1.7976931348623159e308", "  42", "\t42", "+7.5", "",
      "nan", "-nan", "inf", "-inf", "infinity", "0x10", "-0x1p3", "0X1A", "1x", "1,5", "0.30000000000000004",
      "9007199254740993", "3.14159265358979", "2.5e-17", "280.00", "1.0e18", "2.5e25", "1e0001", "1e-0001",
      "1000, 1.0e18", "1.0e18 ", "7\n", "1\r", "12a",
  };
  for (const char* text : cases) expectSameDouble(text);
  expectSameDouble(std::string("1.5\0" "7", 5));
  expectSameDouble(std::string("\0" "7", 2));
}

TEST(DecimalText, DoublesOnRandomTexts) {
  std::mt19937_64 random(20240612);
  const std::string valueChars = "0123456789eE.+-";
  const std::string digits = "0123456789";
  const std::string anyChars = "0123456789eE.+- ,\txXinfa\r";
  for (int n = 0; n < 60000; ++n) {
    std::string text;
    const size_t length = 1 + random() % 26;
    // Mostly number-like texts, some of any value characters, some of others.
    const std::string& from = n % 4 == 0 ? valueChars : n % 4 == 3 ? anyChars : digits;
    for (size_t i = 0; i < length; ++i) text += from[random() % from.size()];
    if (n % 4 == 1) text.insert(random() % text.size(), ".");
    if (n % 5 == 2) text.insert(0, "-");
    if (n % 7 == 3) text += (random() % 2 ? "e" : "E") + std::to_string(static_cast<int>(random() % 700) - 350);
    expectSameDouble(text);
  }
  // Numbers in the forms data files and their writers use.
  for (int n = 0; n < 150000; ++n) {
    const double x = std::ldexp(static_cast<double>(random() >> 11), -53) * 1e6 - 5e5;
    std::string text = n % 4 == 0   ? platform::formatText("%.*f", n % 7, x)
                       : n % 4 == 1 ? platform::formatText("%.*e", n % 6, x * std::pow(10.0, n % 40 - 20))
                       : n % 4 == 2 ? platform::formatText("%.10g", x / 1e3)
                                    : platform::formatText("%.17g", x * 1e-300 * std::pow(10.0, n % 30));
    expectSameDouble(text);
  }
}

TEST(DecimalText, LongsAsLeadingLong) {
  const char* const cases[] = {"0",          "-0",          "42",          "-42",         "123456789",
                               "1234567890", "2147483647",  "2147483648",  "-2147483648", "-2147483649",
                               "99999999999999999999", "12a", "  7", "+7", "-", "", "a1", "0001", "-000000000012"};
  for (const char* text : cases) EXPECT_EQ(platform::fastLeadingLong(text), platform::leadingLong(text)) << text;
  std::mt19937 random(4711);
  const std::string chars = "0123456789-+ .e";
  for (int n = 0; n < 50000; ++n) {
    std::string text;
    const size_t length = random() % 14;
    for (size_t i = 0; i < length; ++i) text += chars[random() % (n % 2 ? 10 : chars.size())];
    if (n % 3 == 0) text.insert(0, "-");
    EXPECT_EQ(platform::fastLeadingLong(text), platform::leadingLong(text)) << text;
  }
}

TEST(DecimalText, CommasAsCountedByteByByte) {
  std::mt19937 random(99);
  const std::string chars = ",,, 1a\x80\xac\x2c\x2d\xff";
  for (int n = 0; n < 5000; ++n) {
    std::string text;
    const size_t length = random() % 70;
    for (size_t i = 0; i < length; ++i) text += chars[random() % chars.size()];
    long long plain = 0;
    for (char c : text) plain += c == ',';
    EXPECT_EQ(platform::countCommas(text), plain) << text;
    // The marked bytes of each whole word are its commas.
    for (size_t at = 0; at + 8 <= text.size(); at += 8) {
      const uint64_t bits = platform::commaBytes(platform::loadWord(text.data() + at));
      for (size_t j = 0; j < 8; ++j) EXPECT_EQ((bits >> (8 * j + 7)) & 1, text[at + j] == ',' ? 1u : 0u) << text;
    }
    // The mask of each 16 bytes has a bit for each comma, and its count is theirs.
    for (size_t at = 0; at + 16 <= text.size(); at += 16) {
      const uint32_t mask = platform::commaMask16(text.data() + at);
      for (size_t j = 0; j < 16; ++j) EXPECT_EQ((mask >> j) & 1, text[at + j] == ',' ? 1u : 0u) << text;
      EXPECT_EQ(platform::bitCount(mask), std::count(text.begin() + at, text.begin() + at + 16, ',')) << text;
    }
  }
  std::mt19937_64 words(7);
  for (int n = 0; n < 1000; ++n) {
    const uint64_t x = words() & words();  // denser and sparser words alike
    EXPECT_EQ(platform::bitCount(x), std::popcount(x)) << x;
  }
  EXPECT_EQ(platform::bitCount(~0ULL), 64);
  EXPECT_EQ(platform::bitCount(0), 0);
}

TEST(DecimalText, DataValuesNearlyEqualWithinTheTolerance) {
  struct Case {
    double a, b;
    bool equal;
  };
  const double nan = std::nan("");
  const Case cases[] = {{-9999, -9999.0000005, true}, {-9999, -9999.00001, false}, {30, 30, true},
                        {-9999, -9998.9999995, true},  {0, 1e-6, false},           {0, 9e-7, true},
                        {-9999, nan, false},           {nan, nan, false},          {1e300, -1e300, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(platform::nearlyEqual(c.a, c.b), c.equal) << c.a << " " << c.b;
    EXPECT_EQ(platform::nearlyEqual(c.b, c.a), c.equal) << c.b << " " << c.a;
  }
}

// The 64-byte masks of lines of every length around the 16- and 64-byte
// steps, each inside a larger buffer as a file's lines are, against the bytes
// one by one: the commas, and through a classifier of two kinds the commas
// and the zero bytes (the bytes a short line is padded with have no bit),
// the second kind also with the bytes past the line's end marked.
TEST(DecimalText, MasksOf64BytesAsTheBytesOneByOne) {
  std::mt19937 random(2026);
  const std::string chars(",a\0 ,1,\x2c\xac\x80", 10);
  for (int n = 0; n < 20000; ++n) {
    const size_t length = random() % 4 == 0 ? random() % 20 : random() % 200;
    std::string line;
    for (size_t i = 0; i < length; ++i) line += chars[random() % chars.size()];
    const std::string buffer = ",,,," + line + std::string(",\0,,", 4);
    const char* const start = buffer.data() + 4;
    const char* const end = start + line.size();
    for (const char* at = start; at <= end; at += 64) {
      uint64_t commas = 0, zeros = 0, pastEnd = 0;
      for (size_t j = 0; j < 64; ++j) {
        if (at + j >= end) {
          pastEnd |= uint64_t{1} << j;
          continue;
        }
        commas |= uint64_t{at[j] == ','} << j;
        zeros |= uint64_t{at[j] == '\0'} << j;
      }
      ASSERT_EQ(platform::commaMask64(start, at, end), commas) << n << " at " << (at - start);
      auto classify16 = [](const char* sixteen) {
        std::array<uint32_t, 2> bits{};
        for (int j = 0; j < 16; ++j) {
          bits[0] |= uint32_t{sixteen[j] == ','} << j;
          bits[1] |= uint32_t{sixteen[j] == '\0'} << j;
        }
        return bits;
      };
      const std::array<uint64_t, 2> both = platform::byteMasks64<2>(start, at, end, classify16);
      ASSERT_EQ(both[0], commas) << n << " at " << (at - start);
      ASSERT_EQ(both[1], zeros) << n << " at " << (at - start);
      const std::array<uint64_t, 2> marked = platform::byteMasks64<2, 2u>(start, at, end, classify16);
      ASSERT_EQ(marked[0], commas) << n << " at " << (at - start);
      ASSERT_EQ(marked[1], zeros | pastEnd) << n << " at " << (at - start);
    }
  }
}

}  // namespace
