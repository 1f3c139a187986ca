#include "hdfverify/value_pass.h"

#include <cstring>

namespace hdfverify {
namespace {

// A step from `previous` to `x` against the axis's direction.
inline bool againstDirection(double x, double previous, double direction) { return (x - previous) * direction < 0; }

// The fast pass works on two values at a time as doubles, in the compiler's
// generic vector types (one SSE2 register): each lane does exactly the scalar
// arithmetic and comparisons of the plain pass, and a comparison gives -1 (all
// bits) or 0 per lane. (The compiler does not vectorise the plain loop by
// itself: for SSE2 it cannot narrow a double's comparison to a flag.)
constexpr size_t kLanes = 2;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using LaneMasks = int64_t __attribute__((vector_size(kLanes * sizeof(int64_t))));

// The values of each number type as they lie in memory, two at a time.
template <typename T>
struct StoredLanes;
template <>
struct StoredLanes<int32_t> {
  using type = int32_t __attribute__((vector_size(kLanes * sizeof(int32_t))));
};
template <>
struct StoredLanes<float> {
  using type = float __attribute__((vector_size(kLanes * sizeof(float))));
};
template <>
struct StoredLanes<double> {
  using type = Lanes;
};

template <typename T>
inline Lanes lanesAt(const T* values) {
  typename StoredLanes<T>::type stored;
  std::memcpy(&stored, values, sizeof stored);
  return __builtin_convertvector(stored, Lanes);
}

inline Lanes everyLane(double x) { return Lanes{x, x}; }

inline bool anyLane(LaneMasks m) { return (m[0] | m[1]) != 0; }

}  // namespace

template <typename T>
ValueFindings passOverValuesPlain(const T* data, size_t count, const ValueTests& tests) {
  ValueFindings found = startOfPass(tests);
  bool previousBad = false;
  for (size_t i = 0; i < count; ++i) {
    const double x = static_cast<double>(data[i]);
    if (x != tests.fill) {
      if (x > found.dataMax) {
        found.dataMax = x;
        found.upperCrossed = true;
      }
      if (x < found.dataMin) {
        found.dataMin = x;
        found.lowerCrossed = true;
      }
      found.hasValue = true;
    }
    // The first step (from value 0 to value 1) is never looked at: a first
    // level set apart from the rest is allowed.
    if (tests.ordered && i >= 2) {
      const bool bad = againstDirection(x, static_cast<double>(data[i - 1]), tests.direction);
      if (bad && previousBad) {
        found.orderBreak = i;
        return found;
      }
      previousBad = bad;
    }
  }
  return found;
}

template <typename T>
ValueFindings passOverValues(const T* data, size_t count, const ValueTests& tests) {
  // With nothing crossing the range, the minimum and maximum never move from
  // where they start, so three flags say all; NaN compares false throughout,
  // here as in the plain pass.
  const Lanes fill = everyLane(tests.fill), lowest = everyLane(tests.lowest), highest = everyLane(tests.highest);
  LaneMasks value{}, below{}, above{}, broken{};
  size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    const Lanes x = lanesAt(data + i);
    const LaneMasks isValue = x != fill;
    value |= isValue;
    below |= isValue & (x < lowest);
    above |= isValue & (x > highest);
  }
  bool anyValue = anyLane(value), anyBelow = anyLane(below), anyAbove = anyLane(above), anyBreak = false;
  for (; i < count; ++i) {
    const double x = static_cast<double>(data[i]);
    const bool isValue = x != tests.fill;
    anyValue |= isValue;
    anyBelow |= isValue && x < tests.lowest;
    anyAbove |= isValue && x > tests.highest;
  }

  if (tests.ordered && count > 3) {
    // Two steps in a row against the direction, the first of them from value
    // 1 to value 2 at the earliest: for each j from 3 on, the step into j and
    // the step into j - 1.
    const Lanes direction = everyLane(tests.direction);
    const Lanes zero{};
    size_t j = 3;
    for (; j + kLanes <= count; j += kLanes) {
      const Lanes x = lanesAt(data + j), previous = lanesAt(data + j - 1), before = lanesAt(data + j - 2);
      broken |= ((x - previous) * direction < zero) & ((previous - before) * direction < zero);
    }
    anyBreak = anyLane(broken);
    for (; j < count; ++j) {
      const double previous = static_cast<double>(data[j - 1]);
      anyBreak |= againstDirection(static_cast<double>(data[j]), previous, tests.direction) &&
                  againstDirection(previous, static_cast<double>(data[j - 2]), tests.direction);
    }
  }

  if (anyBelow || anyAbove || anyBreak) return passOverValuesPlain(data, count, tests);
  ValueFindings found = startOfPass(tests);
  found.hasValue = anyValue;
  return found;
}

ValueFindings startOfPass(const ValueTests& tests) {
  ValueFindings found;
  found.dataMin = tests.lowest;
  found.dataMax = tests.highest;
  return found;
}

template <typename T>
void continuePass(const T* data, size_t count, const ValueTests& tests, ValueFindings* soFar) {
  // The minimum and maximum so far are where the plain pass would stand at
  // this piece's first value.
  ValueTests piece = tests;
  piece.ordered = false;
  piece.lowest = soFar->dataMin;
  piece.highest = soFar->dataMax;
  const ValueFindings found = passOverValues(data, count, piece);
  soFar->hasValue |= found.hasValue;
  soFar->lowerCrossed |= found.lowerCrossed;
  soFar->upperCrossed |= found.upperCrossed;
  soFar->dataMin = found.dataMin;
  soFar->dataMax = found.dataMax;
}

template ValueFindings passOverValuesPlain(const int32_t*, size_t, const ValueTests&);
template ValueFindings passOverValuesPlain(const float*, size_t, const ValueTests&);
template ValueFindings passOverValuesPlain(const double*, size_t, const ValueTests&);
template ValueFindings passOverValues(const int32_t*, size_t, const ValueTests&);
template ValueFindings passOverValues(const float*, size_t, const ValueTests&);
template ValueFindings passOverValues(const double*, size_t, const ValueTests&);
template void continuePass(const int32_t*, size_t, const ValueTests&, ValueFindings*);
template void continuePass(const float*, size_t, const ValueTests&, ValueFindings*);
template void continuePass(const double*, size_t, const ValueTests&, ValueFindings*);

}  // namespace hdfverify
