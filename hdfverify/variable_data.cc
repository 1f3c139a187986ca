// The sixth step: every numeric dataset's values against its valid range, the
// order of the altitude and pressure axes, and the time variables.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "hdfverify/geoms_checker.h"
#include "hdfverify/geoms_types.h"
#include "hdfverify/text_utils.h"
#include "hdfverify/value_pass.h"
#include "platform/text.h"

// The HDF4 headers define MIN, MAX, TRUE and FALSE; they stay inside this file.
#include "hdfverify/hdf4_handles.h"

namespace hdfverify {
namespace {

constexpr int64_t kUnixSecondsAtMjd2kEpoch = 946684800;  // 2000-01-01T00:00:00Z

bool isReadableNumberType(int numberType) {
  return numberType == DFNT_INT32 || numberType == DFNT_FLOAT32 || numberType == DFNT_FLOAT64;
}

// Stamp of a time value (MJD2K days): nearest second when rounded, else truncated.
std::string stampOfDays(double days, bool rounded) {
  return mjd2kStamp(days * 86400.0 + (rounded ? 0.5 : 0.0));
}

bool isOrderedAxis(const Variable& v) {
  return (v.varName == "ALTITUDE" || v.varName == "PRESSURE_INDEPENDENT") &&
         (v.varDepend == "ALTITUDE" || v.varDepend == "DATETIME;ALTITUDE");
}

bool isTimeVariable(const Variable& v) {
  return v.varName == "DATETIME" || v.varName == "DATETIME.START" || v.varName == "DATETIME.STOP";
}

// The number of values of a dataset; false when it does not fit in memory sizes.
bool elementCount(const Variable& v, size_t elementSize, size_t* count) {
  *count = 1;
  for (int d = 0; d < v.rank; ++d) {
    int size = v.dims[static_cast<size_t>(d)];
    if (size < 0) return false;
    if (size == 0) {
      *count = 0;
      return true;
    }
    if (*count > std::numeric_limits<size_t>::max() / elementSize / static_cast<size_t>(size)) return false;
    *count *= static_cast<size_t>(size);
  }
  return true;
}

// What the pass over one variable found.
struct PassResult {
  bool failed = false;  // some test of the variable failed
  bool ended = false;   // a read or order failure: nothing more is tested
  std::string message;
  std::vector<double> timeValues;  // the values of a time variable, as doubles
};

template <typename T>
bool readDataset(int32 sdId, int32 index, const Variable& v, size_t count, std::unique_ptr<T[]>* data) {
  if (sdId == FAIL) return false;  // the file could not be opened again
  *data = std::make_unique_for_overwrite<T[]>(count == 0 ? 1 : count);
  if (count == 0) return true;
  SdsAccess sds(SDselect(sdId, index));
  if (!sds.valid()) return false;
  std::vector<int32> start(static_cast<size_t>(v.rank), 0);
  std::vector<int32> edges(static_cast<size_t>(v.rank), 0);
  for (int d = 0; d < v.rank; ++d) edges[static_cast<size_t>(d)] = v.dims[static_cast<size_t>(d)];
  return SDreaddata(sds.id(), start.data(), nullptr, edges.data(), data->get()) != FAIL;
}

// The position of the last value of an axis's first profile. The profile runs
// along the dimension that the VAR_DEPEND item ALTITUDE names. The items name
// the dimensions that VAR_SIZE lists (the first, then each further one whose
// size is not 1), as the attribute step holds both attributes to the shape; so
// a profile stored as (1, 1, 5) or (1, 5, 1) is judged like one stored as
// (1, 5), and one stored as (5, 1, 1) like one stored as (5). When the items
// are not as many, they name the dimensions whose size is not 1 (a lone item
// ALTITUDE of a shape (1, 1, 5)), then the dimensions one by one, and failing
// that the last dimension holds the profile.
size_t lastOfFirstProfile(const Variable& v, size_t count) {
  const size_t rank = static_cast<size_t>(v.rank);
  if (rank == 0) return count - 1;
  const std::vector<std::string> items = splitString(v.varDepend, ';');
  size_t named = rank;  // no ALTITUDE item: the last dimension
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == "ALTITUDE") named = i;
  }
  const std::vector<size_t> listed = listedDimensions(v);
  std::vector<size_t> sized;  // the dimensions whose size is not 1
  for (size_t d = 0; d < rank; ++d) {
    if (v.dims[d] != 1) sized.push_back(d);
  }
  size_t dim = rank - 1;
  if (named < items.size() && items.size() == listed.size()) dim = listed[named];
  else if (named < sized.size()) dim = sized[named];
  else if (named < rank) dim = named;
  size_t stride = 1;  // values between two levels of one profile
  for (size_t d = dim + 1; d < rank; ++d) stride *= static_cast<size_t>(v.dims[d]);
  const size_t levels = static_cast<size_t>(v.dims[dim]);
  if (levels == 0 || (levels - 1) * stride >= count) return count - 1;
  return (levels - 1) * stride;
}

// Reads a dataset whole and passes over it: for an ordered axis, whose test
// needs the first profile and runs across every row, and for a time variable,
// whose values are kept. Reports a broken order; false when the dataset cannot
// be read.
template <typename T>
bool passWhole(int32 sdId, int32 index, const Variable& v, size_t count, ValueTests* tests, ValueFindings* found,
               std::string* stepBuffer, PassResult* result) {
  std::unique_ptr<T[]> data;
  if (!readDataset<T>(sdId, index, v, count, &data)) return false;
  if (tests->ordered && count > 0) {
    // The last value of the first profile against the first value (for rank
    // 1, the last value).
    const size_t last = lastOfFirstProfile(v, count);
    tests->direction = static_cast<double>(data[last]) - static_cast<double>(data[0]) > 0 ? 1.0 : -1.0;
  }
  *found = passOverValues(data.get(), count, *tests);
  if (found->orderBreak != 0) {
    const size_t i = found->orderBreak;
    *stepBuffer += platform::formatText(
        "** ERROR Variable: %s\n** %s %s incorrect (Data_Array[%lld] = %lf, Data_Array[%lld] = %lf)\n",
        esc(v.varName).c_str(), esc(v.varName).c_str(), tests->direction > 0 ? "Ascending Order" : "Descending Order",
        static_cast<long long>(i), static_cast<double>(data[i]), static_cast<long long>(i - 1),
        static_cast<double>(data[i - 1]));
    result->failed = true;
    result->ended = true;
    return true;
  }
  if (isTimeVariable(v)) result->timeValues.assign(data.get(), data.get() + count);
  return true;
}

// The bytes of one slab of a dataset read slab by slab: small enough to stay
// in the processor's cache between the read and the pass over it.
constexpr size_t kSlabBytes = 256 * 1024;

// Reads a dataset of rank 1 or more in slabs of whole rows of its first
// dimension and passes over each slab as it arrives; false when a slab cannot
// be read (as reading the dataset whole would fail).
template <typename T>
bool passInSlabs(int32 sdId, int32 index, const Variable& v, size_t count, const ValueTests& tests,
                 ValueFindings* found) {
  *found = startOfPass(tests);
  if (sdId == FAIL) return false;  // the file could not be opened again
  if (count == 0) return true;
  SdsAccess sds(SDselect(sdId, index));
  if (!sds.valid()) return false;
  const size_t rows = static_cast<size_t>(v.dims[0]);
  const size_t rowValues = count / rows;
  const size_t slabRows = std::clamp<size_t>(kSlabBytes / sizeof(T) / rowValues, 1, rows);
  auto slab = std::make_unique_for_overwrite<T[]>(slabRows * rowValues);
  std::vector<int32> start(static_cast<size_t>(v.rank), 0);
  std::vector<int32> edges(static_cast<size_t>(v.rank), 0);
  for (int d = 0; d < v.rank; ++d) edges[static_cast<size_t>(d)] = v.dims[static_cast<size_t>(d)];
  for (size_t row = 0; row < rows; row += slabRows) {
    const size_t n = std::min(slabRows, rows - row);
    start[0] = static_cast<int32>(row);
    edges[0] = static_cast<int32>(n);
    if (SDreaddata(sds.id(), start.data(), nullptr, edges.data(), slab.get()) == FAIL) return false;
    continuePass(slab.get(), n * rowValues, tests, found);
  }
  return true;
}

// Reports what the pass found about the valid range.
void reportRange(Variable& v, const ValueTests& tests, const ValueFindings& found, std::string* stepBuffer,
                 PassResult* result) {
  v.dataMin = found.dataMin;
  v.dataMax = found.dataMax;
  if (found.lowerCrossed) {
    *stepBuffer += platform::formatText(
        "** ERROR Variable: %s\n** Min Data(%lf) is LESS_THAN VAR_VALID_MIN(%lf) Attribute.\n\n",
        esc(v.varName).c_str(), v.dataMin, v.validMin);
  }
  if (found.upperCrossed) {
    *stepBuffer += platform::formatText(
        "** ERROR Variable: %s\n** Max Data(%lf) is GREATER_THAN VAR_VALID_MAX(%lf) Attribute\n\n",
        esc(v.varName).c_str(), v.dataMax, v.validMax);
  }
  // A crossed limit fails the variable and leaves its warnings out; the time
  // check after the pass still runs on it.
  if (found.lowerCrossed || found.upperCrossed) {
    result->failed = true;
  } else if (!found.hasValue) {
    *stepBuffer += platform::formatText("## WARNING Variable: %s\nThis variable contains only fill value(%.1f)\n",
                                       esc(v.varName).c_str(), tests.fill);
  } else if (v.dataMin == v.dataMax) {
    *stepBuffer += platform::formatText(
        "## WARNING Variable: %s\nThis variable Min Data(%lf) and Max Data(%lf) have the same value\n",
        esc(v.varName).c_str(), v.dataMin, v.dataMax);
  }
}

template <typename T>
bool checkOneVariable(int32 sdId, int32 index, Variable& v, std::string* stepBuffer, PassResult* result) {
  ValueTests tests;
  tests.fill = v.fillValue;
  tests.lowest = v.dataMin;
  tests.highest = v.dataMax;
  tests.ordered = isOrderedAxis(v);
  ValueFindings found;
  size_t count = 0;
  bool read = false;
  if (elementCount(v, sizeof(T), &count)) {
    try {
      if (tests.ordered || isTimeVariable(v) || v.rank < 1) {
        read = passWhole<T>(sdId, index, v, count, &tests, &found, stepBuffer, result);
      } else {
        read = passInSlabs<T>(sdId, index, v, count, tests, &found);
      }
    } catch (const std::bad_alloc&) {
      read = false;
    }
  }
  if (!read) {
    *stepBuffer += platform::formatText(
        "** ERROR Variable: %s\n** Failed Reading SDS (fn::SDreaddata). DATA_TYPE=\"%s\" \n", esc(v.varName).c_str(),
        hdfTypeToGeoms(v.dataType).c_str());
    result->failed = true;
    result->ended = true;
    return false;
  }
  if (result->ended) return false;  // the order broke
  reportRange(v, tests, found, stepBuffer, result);
  return !result->failed;
}

}  // namespace

std::string mjd2kStamp(double seconds) {
  // Whole seconds, truncated toward zero; times that a 64-bit count or a
  // four-digit year cannot hold give no stamp.
  if (!std::isfinite(seconds) || std::fabs(seconds) > 1.0e15) return std::string();
  int64_t whole = static_cast<int64_t>(seconds);
  time_t t = static_cast<time_t>(kUnixSecondsAtMjd2kEpoch + whole);
  struct tm broken {};
  if (gmtime_r(&t, &broken) == nullptr) return std::string();
  if (broken.tm_year + 1900 < 0 || broken.tm_year + 1900 > 9999) return std::string();
  char area[100];
  size_t length = strftime(area, sizeof area, "%Y%m%dT%H%M%SZ", &broken);
  return std::string(area, length);
}

bool GeomsChecker::checkDateTimeOrder(const Variable& variable, const std::vector<double>& values, size_t count,
                                      std::string* messageArea) {
  if (count > values.size()) count = values.size();
  const std::string name = esc(variable.varName);
  for (size_t i = 1; i < count; ++i) {
    if (values[i - 1] >= values[i]) {
      *messageArea = platform::formatText(
          "** ERROR Variable: %s\n** Values are not in chronological order. %s[%lld]=%lf and %s[%lld]=%lf\n",
          name.c_str(), name.c_str(), static_cast<long long>(i - 1), values[i - 1], name.c_str(),
          static_cast<long long>(i), values[i]);
      return false;
    }
  }
  if (variable.varName == "DATETIME") return true;
  const bool isStart = variable.varName == "DATETIME.START";
  const char* attribute = isStart ? "DATA_START_DATE" : "DATA_STOP_DATE";
  const std::string& text = isStart ? dataStartDate : dataStopDate;
  std::string nearest;
  std::string truncated;
  if (count > 0) {
    double x = isStart ? values[0] : values[count - 1];
    nearest = stampOfDays(x, true);
    truncated = stampOfDays(x, false);
  }
  if (!nearest.empty() && nearest == text) return true;
  if (!truncated.empty() && truncated == text) return true;
  *messageArea = platform::formatText("** ERROR: Global Attribute %s=%s does not match first entry in %s=%s\n",
                                     attribute, esc(text).c_str(), name.c_str(), nearest.c_str());
  return false;
}

bool GeomsChecker::Verify_6(std::string* stepBuffer) {
  stepBuffer->clear();
  bool passed = true;
  SdFile sd(SDstart(hdfFile.c_str(), DFACC_READ));
  const int32 sdId = sd.id();
  for (size_t i = 0; i < variables.size() && passed; ++i) {
    if (!isReadableNumberType(variables[i].attrType) || !isReadableNumberType(variables[i].dataType)) continue;
    Variable v = variables[i];
    v.dataMin = v.validMin;
    v.dataMax = v.validMax;
    PassResult result;
    int32 index = static_cast<int32>(i);
    // The buffer follows the dataset's own number type, whatever type its
    // attributes have.
    if (v.dataType == DFNT_INT32) passed = checkOneVariable<int32>(sdId, index, v, stepBuffer, &result);
    else if (v.dataType == DFNT_FLOAT32) passed = checkOneVariable<float32>(sdId, index, v, stepBuffer, &result);
    else passed = checkOneVariable<float64>(sdId, index, v, stepBuffer, &result);
    if (result.ended) break;
    if (isTimeVariable(v)) {
      size_t count = v.dims[0] > 0 ? static_cast<size_t>(v.dims[0]) : 0;
      std::string messageArea;
      if (!checkDateTimeOrder(v, result.timeValues, count, &messageArea)) {
        *stepBuffer += messageArea;
        passed = false;
      }
    }
  }
  return passed;
}

}  // namespace hdfverify
