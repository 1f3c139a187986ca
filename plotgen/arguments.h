// The 20 command-line arguments: their checks and the small text converters
// that the rest of the plot generator uses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plotgen/plot_log.h"

namespace plotgen {

// Runs the fixed sequence of argument tests; the first failing one writes its
// "ERROR: " line to the plot log and the result is false.
bool checkArguments(PlotLog& log, int argc, const char* const* argv);

// Validators: each writes its own line to the log on failure.
bool isValidString(PlotLog& log, std::string_view text);
bool isValidLocation(PlotLog& log, std::string_view text);
bool isValidBool(PlotLog& log, std::string_view text);
bool isValidDate(PlotLog& log, std::string_view text);
bool isValidNumberDensity(PlotLog& log, std::string_view text);
// Digits only, not empty; writes "ERROR: invalid int input: " only when report is set.
bool isValidInt(PlotLog& log, std::string_view text, bool report);

// true for "true" or "1", false for anything else.
bool toBool(std::string_view text);
// The leading decimal integer as a 32-bit atoi reads it, saturating at the
// 32-bit range; 0 when there are no leading digits.
int toInt(std::string_view text);
std::string intToString(long long value);

// The pieces between occurrences of the delimiter, left to right; the rest
// after the last occurrence is always the last piece: platform's
// splitKeepingEveryPiece, the pieces copied (see there how it differs from
// the other splits).
std::vector<std::string> split(std::string_view text, std::string_view delimiter);

// A number argument as gnuplot must see it: the leading zeros of each digit
// run are dropped (gnuplot reads a leading 0 as octal), the value kept.
std::string plainDecimal(std::string_view text);

}  // namespace plotgen
