#include "plotgen/plot_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/decimal_text.h"
#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/cell_text.h"

namespace plotgen {
namespace {

// The whole part of a cell that is a plain decimal number: an optional '-',
// digits, optionally a '.' and more digits, at most 15 digits in all, and
// nothing else. That is atof's result truncated toward zero: with at most 15
// digits the nearest double is the number itself when it is whole, and else
// lies strictly between the same two whole numbers. False for any other cell.
bool plainDecimalWholePart(std::string_view cell, long long* whole) {
  const char* c = cell.data();
  const char* end = c + cell.size();
  const bool negative = c < end && *c == '-';
  if (negative) ++c;
  long long value = 0;
  int digits = 0;
  for (; c < end && static_cast<unsigned char>(*c - '0') < 10; ++c) {
    if (++digits > 15) return false;
    value = value * 10 + (*c - '0');
  }
  if (c < end && *c == '.') {
    for (++c; c < end && static_cast<unsigned char>(*c - '0') < 10; ++c)
      if (++digits > 15) return false;
  }
  if (digits == 0 || c != end) return false;
  *whole = negative ? -value : value;
  return true;
}

bool isNegativeInteger(std::string_view cell) { return mayBeNegative(cell) && cellInteger(cell) < 0; }

// Whether a curtain value cell is written as "0": its integer is negative, or
// the scanner takes it for its column's flag, which may lie between -1 and 0
// and so have the integer 0.
bool isNegativeOrFlag(std::string_view cell, double flag) {
  return mayBeNegative(cell) && (cellInteger(cell) < 0 || isScannedFlag(cell, flag));
}

// Longest text of a whole number in the default double form ("-2.14748e+09").
constexpr size_t kMaxWholeNumberLength = 16;

// A whole number in the default double form: plain digits below a million.
char* putWholeNumber(char* out, int value) {
  if (value > -1000000 && value < 1000000) return std::to_chars(out, out + kMaxWholeNumberLength, value).ptr;
  return std::to_chars(out, out + kMaxWholeNumberLength, static_cast<double>(value), std::chars_format::general, 6).ptr;
}

// The altitude bin `bin` of the run's AltitudeBins, found through the run's cache.
BinValues& binValues(RunState& run, long long bin) {
  if (run.binCache.empty())
    run.binCache.assign(static_cast<size_t>(std::clamp(run.binCount, 0LL, RunState::kBinCacheSize)), nullptr);
  if (bin >= static_cast<long long>(run.binCache.size())) return run.AltitudeBins[bin];
  BinValues*& cached = run.binCache[static_cast<size_t>(bin)];
  if (!cached) cached = &run.AltitudeBins[bin];
  return *cached;
}

// altitudeBin of a profile row's altitude cell, taken from the row before
// when that held the same text.
long long rowAltitudeBin(RunState& run, size_t row, std::string_view cell) {
  if (run.rowAltitudesLower != run.altLower || run.rowAltitudesBinCount != run.binCount) {
    run.rowAltitudes.clear();
    run.rowAltitudesLower = run.altLower;
    run.rowAltitudesBinCount = run.binCount;
  }
  if (row >= run.rowAltitudes.size()) run.rowAltitudes.resize(row + 1);
  RunState::RowAltitude& known = run.rowAltitudes[row];
  if (cell == std::string_view(known.text, known.size)) return known.bin;
  const long long bin = altitudeBin(cell, run.altLower, run.binCount);
  if (cell.size() <= sizeof known.text) {
    std::memcpy(known.text, cell.data(), cell.size());
    known.size = cell.size();
    known.bin = bin;
  }
  return bin;
}

}  // namespace

CurtainColumns curtainColumnsFor(bool isNumberDensity) {
  CurtainColumns columns;
  columns.value = isNumberDensity ? 1 : 6;
  return columns;
}

size_t columnsRead(bool isProfilePlot, bool isNumberDensity) {
  const CurtainColumns curtain = curtainColumnsFor(isNumberDensity);
  size_t count = std::max(curtain.altitude, curtain.value) + 1;
  if (isProfilePlot) count = std::max(count, *std::max_element(ProfileColumns.begin(), ProfileColumns.end()) + 1);
  return count;
}

uint32_t columnsUsed(bool isProfilePlot, bool isNumberDensity) {
  const CurtainColumns curtain = curtainColumnsFor(isNumberDensity);
  uint32_t used = 1u << curtain.altitude | 1u << curtain.value;
  if (isProfilePlot) {
    for (size_t column : ProfileColumns) used |= 1u << column;
  }
  return used;
}

void appendDouble(std::string& out, double value) {
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  out.append(text, result.ptr);
}

// A negative value keeps its altitude in the curtain: gnuplot draws each
// profile as one scan in row order, so a row moved to altitude 0 in the
// middle or at the top of a scan would span a band of one colour from there
// down to 0 and back across altitudes that hold other values.
void judgeCurtainCells(const CurtainColumns& columns, const ProfileTable& table, const std::vector<double>& flags,
                       CurtainCells* cells) {
  const double valueFlag = flags[columns.value];
  cells->used = 0;
  cells->ends.clear();
  for (size_t row = 0; row < table.rows(); ++row) {
    std::string_view altitude = table.cell(row, columns.altitude);
    std::string_view value = table.cell(row, columns.value);
    const size_t needed = cells->used + altitude.size() + value.size() + 5;
    if (cells->text.size() < needed) cells->text.resize(std::max(needed, 2 * cells->text.size()));
    char* begin = cells->text.data();
    char* out = begin + cells->used;
    if (isNegativeInteger(altitude)) {
      out = putText(out, "0\t0\t\n");
    } else {
      out = putText(out, altitude);
      *out++ = '\t';
      out = putText(out, isNegativeOrFlag(value, valueFlag) ? std::string_view("0") : value);
      *out++ = '\t';
      *out++ = '\n';
    }
    cells->used = static_cast<size_t>(out - begin);
    cells->ends.push_back(cells->used);
  }
}

void writeCurtainBlock(std::string_view stamp, const CurtainCells& cells, DataFile& curtain) {
  const char* text = cells.text.data();
  size_t begin = 0;
  for (size_t end : cells.ends) {
    char* out = curtain.room(stamp.size() + 1 + (end - begin));
    out = putText(out, stamp);
    *out++ = '\t';
    out = putText(out, std::string_view(text + begin, end - begin));
    curtain.commit(out);
    begin = end;
  }
  curtain.append("\n");
}

void writeProfileBlocks(std::string_view startStamp, std::string_view endStamp, const CurtainColumns& columns,
                        const ProfileTable& table, const std::vector<double>& flags, CurtainCells* cells,
                        DataFile& curtain) {
  judgeCurtainCells(columns, table, flags, cells);
  writeCurtainBlock(startStamp, *cells, curtain);
  writeCurtainBlock(endStamp, *cells, curtain);
}

std::string closingStamp(std::string_view endStamp) {
  // The seconds are the text after the last ':'; a stamp without one is
  // taken after its comma, or whole, so that nothing past its end is read.
  size_t cut = endStamp.rfind(':');
  if (cut == std::string_view::npos) cut = endStamp.rfind(',');
  size_t secondsAt = cut == std::string_view::npos ? 0 : cut + 1;
  long long seconds = static_cast<long long>(toInt(endStamp.substr(secondsAt))) + 1;
  std::string stamp(endStamp.substr(0, secondsAt));
  if (seconds < 10) stamp += '0';
  stamp += intToString(seconds);
  return stamp;
}

void writeClosingColumn(int k, int profilesInFile, std::string_view endStamp, DataFile& curtain) {
  if (static_cast<long long>(k) + 1 != profilesInFile) return;
  curtain.append(closingStamp(endStamp));
  curtain.append("\t0\t0\n\n");
}

long long altitudeBin(std::string_view altitudeCell, int altLower, long long binCount) {
  // Altitudes that are not finite or beyond the 32-bit range go into no bin.
  long long whole = 0;
  if (plainDecimalWholePart(altitudeCell, &whole)) {
    if (whole <= -2147483649LL || whole >= 2147483648LL) return -1;
  } else {
    double altitude = platform::fastLeadingDouble(altitudeCell);
    if (!std::isfinite(altitude) || altitude <= -2147483649.0 || altitude >= 2147483648.0) return -1;
    whole = static_cast<long long>(altitude);  // truncates toward zero
  }
  long long bin = (whole - altLower) / 100;  // truncates toward zero
  return bin >= 0 && bin < binCount ? bin : -1;
}

void writeProfileDataRows(RunState& run, const ProfileTable& table, const FillValues& fill) {
  const bool numberDensity = run.args.isNumberDensity;
  std::array<std::string_view, 6> fields;
  std::array<int, 6> integers;
  for (size_t row = 0; row < table.rows(); ++row) {
    bool missing = false;
    for (size_t i = 0; i < ProfileColumns.size(); ++i) {
      const size_t column = ProfileColumns[i];
      std::string_view cell = table.cell(row, column);
      const int fillInteger = fill.integers[column];
      // A cell that cannot be negative cannot equal a negative flag and is
      // written as it is; its integer is needed only for the whole-number fields.
      if (i < 4 && fillInteger < 0 && !mayBeNegative(cell)) {
        fields[i] = cell;
        continue;
      }
      int value = cellInteger(cell);
      if (value == fillInteger || isScannedFlag(cell, fill.values[column])) {
        missing = true;
        break;
      }
      fields[i] = value < 0 ? std::string_view("0") : cell;
      integers[i] = value < 0 ? 0 : value;
    }
    if (missing) continue;
    const size_t textSize = fields[0].size() + fields[1].size() + fields[2].size() + fields[3].size();
    char* out = run.profile.room(textSize + 2 * kMaxWholeNumberLength + 7);
    for (size_t i = 0; i < 4; ++i) {
      out = putText(out, fields[i]);
      *out++ = '\t';
    }
    for (size_t i = 4; i < 6; ++i) {
      out = putWholeNumber(out, integers[i]);
      *out++ = '\t';
    }
    *out++ = '\n';
    run.profile.commit(out);

    if (run.collectBins) {
      long long bin = rowAltitudeBin(run, row, fields[0]);
      if (bin < 0) continue;
      // The value cell is one of the copied cells, already 0 when its integer was negative.
      double value = platform::fastLeadingDouble(numberDensity ? fields[2] : fields[4]);
      if (value < 0.0) value = 0.0;
      if (std::isnan(value)) continue;  // a value that cannot be ordered goes into no bin
      binValues(run, bin).push_back(value);
    }
  }
}

std::array<double, 5> binStatistics(std::vector<double>& values) {
  const long long n = static_cast<long long>(values.size());
  // The products are formed in extended precision; 0.05 and 0.95 are the
  // nearest doubles, so n x 0.95 for n a multiple of 20 falls just below the
  // whole number and truncates to one less.
  static constexpr std::array<double, 5> kFractions = {0.5, 0.25, 0.75, 0.05, 0.95};
  std::array<long long, 5> upper{};
  std::array<long long, 5> lower{};
  std::vector<long long> wanted;
  for (size_t f = 0; f < kFractions.size(); ++f) {
    long double product = static_cast<long double>(n) * static_cast<long double>(kFractions[f]);
    upper[f] = std::min(static_cast<long long>(product), n - 1);
    lower[f] = std::max(static_cast<long long>(product - 1.0L), 0LL);
    wanted.push_back(upper[f]);
    if (n % 2 == 0) wanted.push_back(lower[f]);
  }
  // Only the wanted ranks are put in place, in rising order; each search
  // works on what lies above the rank before.
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  auto from = values.begin();
  for (long long rank : wanted) {
    auto at = values.begin() + rank;
    std::nth_element(from, at, values.end());
    from = at + 1;
  }
  std::array<double, 5> result{};
  for (size_t f = 0; f < kFractions.size(); ++f) {
    double value = values[static_cast<size_t>(upper[f])];
    if (n % 2 == 0) value = (values[static_cast<size_t>(lower[f])] + value) * 0.5;
    result[f] = value;
  }
  return result;
}

void writeMedianData(long long binCount, const AltitudeBinTable& bins, int altLower, DataFile& median) {
  std::string out;
  std::vector<double> values;
  for (const auto& [bin, binValues] : bins.byIndex()) {
    if (bin < 0 || bin >= binCount || binValues.empty()) continue;
    values.assign(binValues.begin(), binValues.end());
    std::array<double, 5> statistics = binStatistics(values);
    out += intToString(static_cast<long long>(altLower) + 100 * bin);
    for (double value : statistics) {
      out += '\t';
      appendDouble(out, value);
    }
    out += '\n';
    median.append(out);
    out.clear();
  }
}

}  // namespace plotgen
