// The values the plot generator takes from the header lines of a PROFILE
// file, read the way the data-file scanner reads them: the plot window plots
// only files that passed the scan, so every spelling the scanner passes must
// have the meaning here that the scanner gave it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plotgen {

// The value of a header line: the text before its first ';' (the whole line
// when it has none).
std::string_view headerValue(std::string_view line);

// The integer of a header line: the leading integer of its value as atol
// reads it (blanks and tabs before it skipped, an optional sign, the digits
// up to the first other character; 0 when there are none).
int lineInteger(std::string_view line);

// The stamp of a date-time header line as YYYY-MM-DD,hh:mm:ss. The value is
// cut at every run of the characters "-,: ;" and its first six pieces are
// year, month, day, hour, minute and second, each read as atol reads it, so
// "2018-04-12, 1:00:00" and "2018-04-12 01:00:00" give the same stamp. False
// when the value has fewer than six pieces.
bool readStamp(std::string_view line, std::string* stamp);

// The missing-value flags of the missing-values line, one per data column:
// its value cut at every ',', each piece read as atof reads it, as the
// scanner reads them.
struct FillValues {
  // Each flag truncated toward zero (saturating at the 32-bit range), as the
  // scanner tests them: a cell whose integer equals it is missing.
  std::vector<int> integers;
  // Each flag as read, the number the scanner compares data values with (a
  // value below 0 within 1e-6 of it is the flag, whatever its spelling); NaN
  // for the columns whose values the scanner compares with no flag: the
  // altitude (column 0) and the columns after the 14 of a PROFILE file.
  std::vector<double> values;
};
FillValues fillValues(std::string_view line);

}  // namespace plotgen
