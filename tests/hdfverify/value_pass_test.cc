// The fast pass over a dataset's values against the plain one, value by value,
// on random buffers of each number type, whole and in pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>
#include <vector>

#include "hdfverify/value_pass.h"

namespace {

using hdfverify::ValueFindings;
using hdfverify::ValueTests;

// Equal to the bit, so that -0 and 0 (which print apart) are told apart.
bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

::testing::AssertionResult sameFindings(const ValueFindings& a, const ValueFindings& b) {
  if (a.hasValue == b.hasValue && a.lowerCrossed == b.lowerCrossed && a.upperCrossed == b.upperCrossed &&
      a.orderBreak == b.orderBreak && sameBits(a.dataMin, b.dataMin) && sameBits(a.dataMax, b.dataMax))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "value " << a.hasValue << "/" << b.hasValue << " lower " << a.lowerCrossed
                                       << "/" << b.lowerCrossed << " upper " << a.upperCrossed << "/" << b.upperCrossed
                                       << " break " << a.orderBreak << "/" << b.orderBreak << " min " << a.dataMin
                                       << "/" << b.dataMin << " max " << a.dataMax << "/" << b.dataMax;
}

// A random buffer: an axis running one way (sometimes with a step or two
// back), or values inside the range, with fill, and now and then values
// outside it, NaN and both zeros.
template <typename T>
std::vector<T> randomValues(std::mt19937& random, size_t count, bool axis, double fill) {
  std::vector<T> values(count);
  std::uniform_real_distribution<double> inRange(1.0, 99.0);
  double level = 0;
  for (size_t i = 0; i < count; ++i) {
    const unsigned roll = random() % 1000;
    double x = axis ? (level += 1.0 + static_cast<double>(random() % 3)) : inRange(random);
    if (roll < 30) x = fill;
    else if (roll < 33) x = axis ? level - 5.0 : -1.0 - static_cast<double>(random() % 50);
    else if (roll < 36) x = 100.0 + static_cast<double>(random() % 50);
    else if (roll < 38) x = (random() % 2) ? 0.0 : -0.0;
    else if (roll < 39 && std::is_floating_point_v<T>) x = std::numeric_limits<double>::quiet_NaN();
    if (!std::is_floating_point_v<T> && std::isnan(x)) x = 0;  // a NaN fill has no integer
    values[i] = static_cast<T>(x);
  }
  return values;
}

template <typename T>
void compareOnRandomBuffers() {
  std::mt19937 random(20261210);
  for (int round = 0; round < 3000; ++round) {
    const size_t count = random() % 3 == 0 ? random() % 12 : random() % 700;
    ValueTests tests;
    tests.fill = random() % 4 == 0 ? std::numeric_limits<double>::quiet_NaN() : -999.0;
    // Ranges that values cross often, never, or whose limits are zero or NaN.
    const unsigned kind = random() % 6;
    tests.lowest = kind == 0 ? -1e30 : kind == 1 ? 0.0 : kind == 2 ? -0.0 : 0.5;
    tests.highest = kind == 0 ? 1e30 : kind == 3 ? std::numeric_limits<double>::quiet_NaN() : 100.0;
    tests.ordered = random() % 3 == 0;
    tests.direction = random() % 2 ? 1.0 : -1.0;
    std::vector<T> values = randomValues<T>(random, count, tests.ordered, tests.fill);
    // Half the rounds are of clean buffers, which take the fast road to its end.
    if (round % 2) {
      for (T& x : values) {
        if (std::isnan(static_cast<double>(x)) || static_cast<double>(x) < 1.0 || static_cast<double>(x) > 99.0)
          x = static_cast<T>(50);
      }
    }
    const ValueFindings plain = hdfverify::passOverValuesPlain(values.data(), count, tests);
    ASSERT_TRUE(sameFindings(hdfverify::passOverValues(values.data(), count, tests), plain))
        << "round " << round << " count " << count;
    if (tests.ordered) continue;
    // The same buffer in random pieces.
    ValueFindings pieces = hdfverify::startOfPass(tests);
    for (size_t at = 0; at < count;) {
      const size_t n = std::min(count - at, 1 + static_cast<size_t>(random() % 100));
      hdfverify::continuePass(values.data() + at, n, tests, &pieces);
      at += n;
    }
    ASSERT_TRUE(sameFindings(pieces, plain)) << "round " << round << " count " << count << " in pieces";
  }
}

TEST(ValuePass, FastPassAgreesWithThePlainOneOnRandomBuffers) {
  compareOnRandomBuffers<float>();
  compareOnRandomBuffers<double>();
  compareOnRandomBuffers<int32_t>();
}

TEST(ValuePass, PlainPassMeaning) {
  ValueTests tests;
  tests.fill = -999;
  tests.lowest = 0;
  tests.highest = 10;
  const double crossing[] = {5, -999, 12, -3, 11, -4, 7};
  ValueFindings found = hdfverify::passOverValues(crossing, 7, tests);
  EXPECT_TRUE(found.hasValue && found.lowerCrossed && found.upperCrossed);
  EXPECT_EQ(found.dataMin, -4);
  EXPECT_EQ(found.dataMax, 12);
  const double fillOnly[] = {-999, -999};
  found = hdfverify::passOverValues(fillOnly, 2, tests);
  EXPECT_FALSE(found.hasValue || found.lowerCrossed || found.upperCrossed);
  EXPECT_EQ(found.dataMin, 0);
  EXPECT_EQ(found.dataMax, 10);
  // An axis: a first step back is allowed, so is one step back; two in a row break it at the second.
  tests.ordered = true;
  const double axis[] = {1, 0.5, 2, 3, 2.5, 4, 5, 4.5, 4.2, 6};
  EXPECT_EQ(hdfverify::passOverValues(axis, 10, tests).orderBreak, 8u);
  EXPECT_EQ(hdfverify::passOverValues(axis, 8, tests).orderBreak, 0u);
}

}  // namespace
