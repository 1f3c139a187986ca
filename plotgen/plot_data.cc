#include "plotgen/plot_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/plot_globals.h"

namespace plotgen {
namespace {

// The double of a cell as atof reads it. Plain integers, by far the most common
// cells, are converted directly; they give exactly what atof gives.
double cellDouble(std::string_view cell) {
  size_t i = 0;
  while (i < cell.size() && cell[i] == ' ') ++i;
  bool negative = false;
  if (i < cell.size() && (cell[i] == '-' || cell[i] == '+')) negative = cell[i++] == '-';
  size_t digitsAt = i;
  long long value = 0;
  while (i < cell.size() && cell[i] >= '0' && cell[i] <= '9' && i - digitsAt < 15) value = value * 10 + (cell[i++] - '0');
  if (i == cell.size() && i > digitsAt) return negative ? -static_cast<double>(value) : static_cast<double>(value);
  return platform::leadingDouble(cell);
}

void appendCell(std::string& out, std::string_view cell) { out.append(cell.data(), cell.size()); }

}  // namespace

CurtainColumns curtainColumnsFor(bool isNumberDensity) {
  CurtainColumns columns;
  columns.value = isNumberDensity ? 1 : 6;
  return columns;
}

std::string formatDouble(double value) {
  std::string out;
  appendDouble(out, value);
  return out;
}

void appendDouble(std::string& out, double value) {
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  out.append(text, result.ptr);
}

void writeProfileRows(std::string_view stamp, const CurtainColumns& columns, const ProfileTable& table,
                      DataFile& curtain) {
  std::string& out = curtain.buffer();
  for (size_t row = 0; row < table.rows(); ++row) {
    std::string_view altitude = table.cell(row, columns.altitude);
    std::string_view value = table.cell(row, columns.value);
    out.append(stamp.data(), stamp.size());
    out += '\t';
    if (toInt(altitude) < 0 || toInt(value) < 0) {
      out += "0\t0\t\n";
    } else {
      appendCell(out, altitude);
      out += '\t';
      appendCell(out, value);
      out += "\t\n";
    }
    curtain.flushIfFull();
  }
  out += '\n';
}

std::string closingStamp(std::string_view endStamp) {
  // The seconds are the text after the last ':'; a stamp without one is
  // taken after its comma, or whole, so that nothing past its end is read.
  size_t cut = endStamp.rfind(':');
  if (cut == std::string_view::npos) cut = endStamp.rfind(',');
  size_t secondsAt = cut == std::string_view::npos ? 0 : cut + 1;
  long long seconds = static_cast<long long>(toInt(endStamp.substr(secondsAt))) + 1;
  std::string text = seconds >= 0 && seconds < 10 ? "0" + intToString(seconds) : intToString(seconds);
  return std::string(endStamp.substr(0, secondsAt)) + text;
}

void writeClosingColumn(int k, int profilesInFile, std::string_view endStamp, DataFile& curtain) {
  if (static_cast<long long>(k) + 1 != profilesInFile) return;
  std::string& out = curtain.buffer();
  out += closingStamp(endStamp);
  out += "\t0\t0\n\n";
  curtain.flushIfFull();
}

long long altitudeBin(std::string_view altitudeCell, int altLower, long long binCount) {
  double altitude = cellDouble(altitudeCell);
  // Altitudes that are not finite or beyond the 32-bit range go into no bin.
  if (!std::isfinite(altitude) || altitude <= -2147483649.0 || altitude >= 2147483648.0) return -1;
  long long whole = static_cast<long long>(altitude);  // truncates toward zero
  long long bin = (whole - altLower) / 100;             // truncates toward zero
  return bin >= 0 && bin < binCount ? bin : -1;
}

void writeProfileDataRows(PlotRun& run, const ProfileTable& table, const std::vector<int>& fillInts) {
  size_t valueColumn = curtainColumnsFor(run.args.isNumberDensity).value;
  std::string& out = run.profile.buffer();
  std::array<std::string_view, 6> fields;
  for (size_t row = 0; row < table.rows(); ++row) {
    bool missing = false;
    for (size_t i = 0; i < ProfileColumns.size(); ++i) {
      std::string_view cell = table.cell(row, ProfileColumns[i]);
      int value = toInt(cell);
      if (value == fillInts[ProfileColumns[i]]) {
        missing = true;
        break;
      }
      fields[i] = value < 0 ? std::string_view("0") : cell;
    }
    if (missing) continue;
    for (size_t i = 0; i < 4; ++i) {
      appendCell(out, fields[i]);
      out += '\t';
    }
    for (size_t i = 4; i < 6; ++i) {
      appendDouble(out, static_cast<double>(toInt(fields[i])));
      out += '\t';
    }
    out += '\n';
    run.profile.flushIfFull();

    if (run.collectBins) {
      long long bin = altitudeBin(fields[0], run.altLower, run.binCount);
      if (bin < 0) continue;
      // The value cell is one of the copied cells, already 0 when its integer was negative.
      std::string_view valueCell = valueColumn == 1 ? fields[2] : fields[4];
      double value = cellDouble(valueCell);
      if (value < 0.0) value = 0.0;
      AltitudeBins[bin].push_back(value);
    }
  }
}

std::array<double, 5> binStatistics(std::vector<double>& values) {
  std::sort(values.begin(), values.end());
  const long long n = static_cast<long long>(values.size());
  // The products are formed in extended precision; 0.05 and 0.95 are the
  // nearest doubles, so n x 0.95 for n a multiple of 20 falls just below the
  // whole number and truncates to one less.
  static constexpr std::array<double, 5> Fractions = {0.5, 0.25, 0.75, 0.05, 0.95};
  std::array<double, 5> result{};
  for (size_t f = 0; f < Fractions.size(); ++f) {
    long double product = static_cast<long double>(n) * static_cast<long double>(Fractions[f]);
    long long j = static_cast<long long>(product);
    if (j >= n) j = n - 1;
    double value = values[static_cast<size_t>(j)];
    if (n % 2 == 0) {
      long long i = static_cast<long long>(product - 1.0L);
      if (i < 0) i = 0;
      value = (values[static_cast<size_t>(i)] + value) * 0.5;
    }
    result[f] = value;
  }
  return result;
}

void writeMedianData(long long binCount, std::map<int64_t, std::vector<double>>& bins, int altLower,
                     DataFile& median) {
  std::string& out = median.buffer();
  for (auto& [bin, values] : bins) {
    if (bin < 0 || bin >= binCount || values.empty()) continue;
    std::array<double, 5> statistics = binStatistics(values);
    out += intToString(static_cast<long long>(altLower) + 100 * bin);
    for (double value : statistics) {
      out += '\t';
      appendDouble(out, value);
    }
    out += '\n';
    median.flushIfFull();
  }
}

}  // namespace plotgen
