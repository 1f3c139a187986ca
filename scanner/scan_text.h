// Small text functions shared by the content checks: blank trimming, ASCII
// upper-casing, the integer and float character tests, the coordinates line and
// the tolerance comparison of data values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/decimal_text.h"

class ReportSink;

// The text without its leading and trailing blanks (' ' only; tabs stay). An
// empty or all-blank text gives "" (callers treat that as a value that cannot be
// taken apart). Unlike platform::trimBlanksAndTabs and the verifier's
// trimString, it leaves tabs (and line ends) at the ends.
std::string trimBlanks(std::string_view text);

// A copy, up to the first NUL character, with the letters a-z upper-cased.
std::string toUpperText(std::string_view text);

// True when the text is shorter than 127 characters and, blanks and tabs
// removed, holds only characters of "0123456789eE-+\r\n" (the empty text too).
bool isIntegerText(std::string_view text);

// True when the text, blanks and tabs removed, is shorter than 127 characters
// and holds only characters of "0123456789eE.+-\r\n" (the empty text too).
bool isFloatText(std::string_view text);

// Reads longitude, latitude and elevation, the first three comma-separated items
// of the text, and tests their ranges: -180..360, -90..90, -200..5000. An item
// that is missing or not a number fails the test (its double is left as it was).
bool checkLonLatAlt(std::string_view text, double& longitude, double& latitude, double& elevation);

// Two data values are equal when they differ by less than 1e-6 (the rule the
// plot generator shares).
using platform::nearlyEqual;

// Splits a keyword triple ("A|B|C|") into its keywords, after cutting it to 127
// characters. Writes a red line numbered `messageLine` for a triple that was too
// long and for each keyword that is missing, and returns the problem value: 5 for
// a cut triple, plus 10, 100 and 1000 for a missing first, second, third keyword.
int splitKeywordTriple(ReportSink& report, std::string triple, int messageLine, std::vector<std::string>& keywords);

// The header line form: the value is the text before the first ';', the comment
// the rest from that ';' on. A line without ';' is all value, with an empty comment.
std::string headerValue(std::string_view line);
std::string headerComment(std::string_view line);
