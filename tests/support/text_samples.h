// Builders of valid network text data files (PROFILE and SURFACE) for tests and
// benchmarks. A test starts from a valid file and edits its lines.
#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// One PROFILE block. Stamps are "YYYY-MM-DD, hh:mm:ss".
struct ProfileBlock {
  std::string start = "2018-04-12, 01:00:00";
  std::string end = "2018-04-12, 01:59:59";
  std::string mean = "2018-04-12, 01:30:00";
  std::vector<std::string> comments = {"Block comment: nominal run"};  // at least one
  std::vector<std::string> dataRows;  // complete data lines (see profileDataRow)
};

// One SURFACE record block.
struct RecordBlock {
  std::string start = "2018-04-12, 00:00:00";
  std::string end = "2018-04-12, 23:59:59";
  std::vector<std::string> comments;  // none required
  std::vector<std::string> dataRows;  // complete data lines (see recordDataRow)
};

// A valid 14-column PROFILE data line.
std::string profileDataRow(double altitude, double ozoneNumberDensity, double ozoneMixingRatio);
// `count` valid data lines with altitudes first, first + step, ... and ozone
// values that vary with altitude.
std::vector<std::string> profileDataRows(int count, double firstAltitude = 100, double step = 30);
// `count` valid data lines of 14 short numbers, as many real files write them
// ("1000, 1.0e18, 1.0e17, 30, 5.0, ..."), the whole-metre altitudes stepping
// by `step` from `firstAltitude`.
std::vector<std::string> profileShortDataRows(int count, int firstAltitude = 1000, int step = 30);
// A PROFILE block with the given stamps and `count` default data lines.
ProfileBlock profileBlock(const std::string& start, const std::string& end, const std::string& mean, int count = 10);

// A valid 11-column SURFACE data line (times in seconds of the day).
std::string recordDataRow(double startTime, double endTime, double meanTime, double ozoneMixingRatio);
// `count` valid data lines, one minute each, starting at `firstStart` seconds.
std::vector<std::string> recordDataRows(int count, double firstStart = 0);

// The whole text of a valid file; the general comment lines follow the revision
// line (a revision above 0 needs at least one). Lines end with "\n".
std::string profileFileText(const std::vector<ProfileBlock>& blocks, int revision = 1,
                            const std::vector<std::string>& generalComments = {"R1: first release"});
std::string surfaceFileText(const std::vector<RecordBlock>& blocks, int revision = 1,
                            const std::vector<std::string>& generalComments = {"R1: first release"});

// The default valid files: one block of 10 data lines each.
std::string validProfileText();
std::string validSurfaceText();

// Network file names for a date YYYYMMDD that matches the first block's start.
std::string profileFileName(const std::string& yyyymmdd = "20180412", int revision = 1);
std::string surfaceFileName(const std::string& yyyymmdd = "20180412", int revision = 1);

// Text helpers for making variants: the lines of a text (without line ends) and back.
std::vector<std::string> splitLines(const std::string& text);
std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd = "\n");
// The text with 1-based line `number` replaced.
std::string replaceLine(const std::string& text, int number, const std::string& line);

// A text for line readers: up to 40 lines of the given bytes, short and long
// (some of 250,000 to 550,000 bytes, across a reader's pieces; some around
// 8 KiB, a stream reader's chunks), with '\r' before, after and away from
// '\n', and with and without a line end at the end.
std::string randomLineText(std::mt19937& random, std::string_view bytes = std::string_view("ab\r\n\0x ", 7));

}  // namespace testing_support
