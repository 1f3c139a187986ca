// Splitting a data line into its value tokens: at any run of blanks, commas,
// tabs, carriage returns and line feeds, as repeated strtok calls do (empty
// items vanish), with the value-text test of each token; and the one pass over
// a line that tells whether the split is needed at all.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// One token of a data line: a view of the line, and whether it is value text
// (isFloatText: shorter than 127 characters, only "0123456789eE.+-"; a token
// never holds a blank or tab, since those separate).
struct DataToken {
  std::string_view text;
  bool valueText;
};

// Reusable work areas of the split, so that a scan does not allocate per line.
struct DataLineSplitter {
  std::vector<uint64_t> otherBits;      // bit i: byte i is no value character
  std::vector<DataToken> tokens;
  long long commaCount = 0;  // commas of the line last split

  // Splits `line`; the tokens stay valid while `line` lives unchanged.
  const std::vector<DataToken>& split(std::string_view line);
};

// The separators of the split.
inline bool isDataSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }

// What one pass over a data line tells before any token is looked at.
struct DataLineSurvey {
  long long commas = 0;  // the line's commas
  size_t tokens = 0;     // the tokens the split would give
  // Every token is value text (only "0123456789eE.+-", shorter than 127
  // characters) and none begins with '-'. Such a line needs no split: only
  // the tokens that the column rules convert whatever their sign are read,
  // the others can be neither wrong text nor a wrong negative value.
  bool plain = false;
};

void surveyDataLine(std::string_view line, DataLineSurvey* survey);
// The same survey 16 bytes at a time, for every line and every processor; the
// survey above takes a shorter road for most data lines where it can.
void surveyDataLineBy16(std::string_view line, DataLineSurvey* survey);
