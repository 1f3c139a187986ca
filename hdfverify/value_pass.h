// The pass over one dataset's values: which values are not fill, whether any
// crosses the valid range (and how far the data reach), and for an ordered
// axis the first place its order breaks. Kept apart from the report texts so
// that the fast pass can be tested against the plain one on any buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace hdfverify {

struct ValueTests {
  double fill = 0;
  double lowest = 0;      // the valid minimum: the data's minimum starts here
  double highest = 0;     // the valid maximum: the data's maximum starts here
  bool ordered = false;   // the values form an axis that must keep one direction
  double direction = 1;   // +1 ascending, -1 descending (only when ordered)
};

struct ValueFindings {
  bool hasValue = false;      // some value is not the fill value
  bool lowerCrossed = false;  // some value lies below `lowest`
  bool upperCrossed = false;  // some value lies above `highest`
  double dataMin = 0;         // `lowest`, or the smallest value below it
  double dataMax = 0;         // `highest`, or the largest value above it
  // Where an ordered axis breaks: the index of the second of two steps in a
  // row against the direction; 0 when it holds. When it breaks the other
  // findings are those of the values before the break.
  size_t orderBreak = 0;
};

// The values one by one, in index order: what the findings mean.
template <typename T>
ValueFindings passOverValuesPlain(const T* data, size_t count, const ValueTests& tests);

// The same findings from one pass that the compiler turns into vector code. It
// only asks whether anything crosses the range or breaks the order; when
// something does (a file that fails), the plain pass gives the exact findings.
template <typename T>
ValueFindings passOverValues(const T* data, size_t count, const ValueTests& tests);

// The findings of a pass that has seen no value yet.
ValueFindings startOfPass(const ValueTests& tests);

// Goes on with a pass over a dataset that is read piece by piece, pieces in
// index order: `soFar` holds the findings of the pieces before this one. Not
// for ordered axes, whose test runs across the pieces' borders.
template <typename T>
void continuePass(const T* data, size_t count, const ValueTests& tests, ValueFindings* soFar);

// The number types a dataset's values are read as.
extern template ValueFindings passOverValuesPlain(const int32_t*, size_t, const ValueTests&);
extern template ValueFindings passOverValuesPlain(const float*, size_t, const ValueTests&);
extern template ValueFindings passOverValuesPlain(const double*, size_t, const ValueTests&);
extern template ValueFindings passOverValues(const int32_t*, size_t, const ValueTests&);
extern template ValueFindings passOverValues(const float*, size_t, const ValueTests&);
extern template ValueFindings passOverValues(const double*, size_t, const ValueTests&);
extern template void continuePass(const int32_t*, size_t, const ValueTests&, ValueFindings*);
extern template void continuePass(const float*, size_t, const ValueTests&, ValueFindings*);
extern template void continuePass(const double*, size_t, const ValueTests&, ValueFindings*);

}  // namespace hdfverify
