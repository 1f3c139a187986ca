// Splitting a data line into its value tokens: at any run of blanks, commas,
// tabs, carriage returns and line feeds, as repeated strtok calls do (empty
// items vanish), with the value-text test of each token.
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

// The value of a data token as the C run-time's atof reads it in the C locale
// (platform::leadingDouble), by a faster road for the common forms.
double dataTokenValue(std::string_view token);
