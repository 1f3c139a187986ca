#include "tests/support/text_samples.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/text.h"

namespace testing_support {
namespace {

using platform::formatText;

const char* const kProfileColumnLines[14] = {
    "ALT, m, Altitude above sea level (center of sampling bin) ; COLUMN 1",
    "O3ND, molec.m-3, Ozone Number Density (measured ) ; COLUMN 2",
    "O3NDUncert, molec.m-3, Ozone Number Density Combined Standard Uncertainty ; COLUMN 3",
    "O3NDResol, m, Ozone Number Density Standardized Vertical Resolution ; COLUMN 4",
    "Precision, %, Measurement Precision ; COLUMN 5",
    "ChRange, #, Channel Range (1.0 to N.0, nearest-field to farthest-field) ; COLUMN 6",
    "O3MR, ppbv, Ozone Mixing Ratio (derived) ; COLUMN 7",
    "O3MRUncert, ppbv, Ozone Mixing Ratio Combined Standard Uncertainty ; COLUMN 8",
    "Press, hPa, Air Pressure used to derive Ozone Mixing Ratio ; COLUMN 9",
    "PressUncert, hPa, Air Pressure Standard Uncertainty ; COLUMN 10",
    "Temp, K, Air Temperature used to derive Ozone Mixing Ratio ; COLUMN 11",
    "TempUncert, K, Air Temperature Ratio Standard Uncertainty ; COLUMN 12",
    "AirND, molec.m-3, Air Number Density used to derive Ozone Mixing Ratio ; COLUMN 13",
    "AirNDUncert, molec.m-3, Air Number Density Standard Uncertainty ; COLUMN 14",
};

const char* const kSurfaceColumnLines[11] = {
    "StartTime, s, Time at start of measurement, elapsed since 00:00:00 UT same day ; COLUMN 1",
    "EndTime, s, Time at end of measurement, elapsed since 00:00:00 UT same day ; Column 2",
    "MeanTime, s, Weighted average time of measurement, elapsed since 00:00:00 UT same day ; COLUMN 3",
    "O3MR, ppbv, Surface Ozone mixing ratio (measured) ; Column 4",
    "O3MRUncert, ppbv, Surface Ozone mixing ratio uncertainty  ; Column 5",
    "Precision, %, Measurement Precision ; Column 6",
    "Press, hPa, Surface Pressure ; Column 7",
    "Temp, K, Surface Temperature ; Column 8",
    "RH, %RH, Surface Relative Humidity with respect to water ; Column 9",
    "WndSpd, m/s, Surface Wind Speed  ; Column 10",
    "WndDir, deg, Surface Wind Direction, clockwise degrees from north ; Column 11",
};

const char kCoordinates[] = "-76.3, 37.1, 10  ; LONGITUDE, LATITUDE, ELEVATION (separated by commas) (deg. East, deg. North, m)";

std::string missingValuesLine(int columns) {
  std::string line;
  for (int i = 0; i < columns; ++i) line += i ? ", -9999" : "-9999";
  return line + "  ; MISSING DATA VALUES";
}

// The lines shared by both kinds after the column lines: missing values,
// comment count, instrument, contact, site, coordinates, revision, comments.
void appendGeneralTail(std::vector<std::string>& lines, int columns, int revision,
                       const std::vector<std::string>& generalComments) {
  lines.push_back(missingValuesLine(columns));
  lines.push_back(formatText("%d  ; NUMBER OF GENERAL COMMENTS LINES (AFTER THIS LINE)",
                             static_cast<int>(generalComments.size()) + 5));
  lines.push_back("Ozone DIAL lidar  ; INSTRUMENT NAME");
  lines.push_back("A. Person, station@example.org  ; PI AND CONTACT INFO");
  lines.push_back("Test Station  ; SITE NAME");
  lines.push_back(kCoordinates);
  lines.push_back(formatText("R%d ; DATA REVISION NUMBER", revision));
  for (const std::string& comment : generalComments) lines.push_back(comment);
}

}  // namespace

std::string profileDataRow(double altitude, double ozoneNumberDensity, double ozoneMixingRatio) {
  return formatText("%.1f, %.4e, %.4e, 150.0, 5.0, 1.0, %.3f, 2.500, 850.00, 1.00, 280.00, 0.50, 2.0000e+25, 1.0000e+23",
                    altitude, ozoneNumberDensity, ozoneNumberDensity * 0.1, ozoneMixingRatio);
}

std::vector<std::string> profileDataRows(int count, double firstAltitude, double step) {
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) {
    double altitude = firstAltitude + step * i;
    rows.push_back(profileDataRow(altitude, 1.0e18 + 1.0e15 * i, 40.0 + 0.5 * i));
  }
  return rows;
}

std::vector<std::string> profileShortDataRows(int count, int firstAltitude, int step) {
  std::vector<std::string> rows;
  rows.reserve(static_cast<size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i)
    rows.push_back(formatText("%d, 1.0e18, 1.0e17, 30, 5.0, 1.0, 40.0, 4.0, 900.0, 9.0, 280.0, 2.8, 2.5e25, 2.5e24",
                              firstAltitude + step * i));
  return rows;
}

ProfileBlock profileBlock(const std::string& start, const std::string& end, const std::string& mean, int count) {
  ProfileBlock block;
  block.start = start;
  block.end = end;
  block.mean = mean;
  block.dataRows = profileDataRows(count);
  return block;
}

std::string recordDataRow(double startTime, double endTime, double meanTime, double ozoneMixingRatio) {
  return formatText("%.1f, %.1f, %.1f, %.2f, 1.50, 2.00, 1013.20, 288.10, 55.00, 3.20, 180.00", startTime, endTime,
                    meanTime, ozoneMixingRatio);
}

std::vector<std::string> recordDataRows(int count, double firstStart) {
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) {
    double start = firstStart + 60.0 * i;
    rows.push_back(recordDataRow(start, start + 60.0, start + 30.0, 35.0 + 0.25 * i));
  }
  return rows;
}

std::string profileFileText(const std::vector<ProfileBlock>& blocks, int revision,
                            const std::vector<std::string>& generalComments) {
  std::vector<std::string> lines;
  lines.push_back("18 ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)");
  lines.push_back("v1.0 ; PARVIX STANDARDIZED FORMAT VERSION FOR PROFILE DATA");
  lines.push_back(formatText("%d ; NUMBER OF PROFILES IN THIS FILE", static_cast<int>(blocks.size())));
  lines.push_back("14 ; NUMBER OF DATA COLUMNS FOR ALL PROFILES");
  for (const char* column : kProfileColumnLines) lines.push_back(column);
  appendGeneralTail(lines, 14, revision, generalComments);
  for (const ProfileBlock& block : blocks) {
    lines.push_back(" #BEGIN PROFILE ;---------------------------------------------------------------------------------------");
    lines.push_back(formatText("%d  ; NUMBER OF HEADER LINES IN THIS PROFILE'S HEADER (AFTER THIS LINE)",
                               11 + static_cast<int>(block.comments.size())));
    lines.push_back(formatText("%d  ; NUMBER OF DATA LINES IN THIS PROFILE", static_cast<int>(block.dataRows.size())));
    lines.push_back(block.end + "  ; DATA PROCESSING DATE, TIME");
    lines.push_back("v2.1 ; DATA PROCESSING VERSION");
    lines.push_back("NOMINAL ; RESULTS QUALITY (NOMINAL, FAIR, POOR)");
    lines.push_back(block.start + "  ; PROFILE DATE, TIME (UT) START");
    lines.push_back(block.end + "  ; PROFILE DATE, TIME (UT) END");
    lines.push_back(block.mean + "  ; PROFILE DATE, TIME (UT) MEAN");
    lines.push_back("Model ; SOURCE OF A PRIORI Press, Temp, AirND USED TO DERIVE OZONE MIXING RATIO");
    lines.push_back(block.start + "  ; SOURCE DATE, TIME (UT)");
    lines.push_back("-76.3, 37.1, 10  ; SOURCE LONGITUDE, LATITUDE, ELEVATION (separated by commas) (deg. East, deg. North, m)");
    for (const std::string& comment : block.comments) lines.push_back(comment);
    lines.push_back("ALT, O3ND, O3NDUncert, O3NDResol, Precision, ChRange, O3MR, O3MRUncert, Press, PressUncert, Temp, TempUncert, AirND, AirNDUncert");
    for (const std::string& row : block.dataRows) lines.push_back(row);
  }
  return joinLines(lines);
}

std::string surfaceFileText(const std::vector<RecordBlock>& blocks, int revision,
                            const std::vector<std::string>& generalComments) {
  std::vector<std::string> lines;
  lines.push_back("15 ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)");
  lines.push_back("v1.0 ; PARVIX STANDARDIZED FORMAT VERSION FOR SURFACE DATA");
  lines.push_back(formatText("%d ; NUMBER OF RECORDS IN THIS FILE", static_cast<int>(blocks.size())));
  lines.push_back("11 ; NUMBER OF DATA COLUMNS FOR ALL RECORDS");
  for (const char* column : kSurfaceColumnLines) lines.push_back(column);
  appendGeneralTail(lines, 11, revision, generalComments);
  for (const RecordBlock& block : blocks) {
    lines.push_back(" #BEGIN RECORD ;---------------------------------------------------------------------------------------");
    lines.push_back(formatText("%d  ; NUMBER OF HEADER LINES IN THIS RECORD'S HEADER (AFTER THIS LINE)",
                               8 + static_cast<int>(block.comments.size())));
    lines.push_back(formatText("%d  ; NUMBER OF DATA LINES IN THIS RECORD", static_cast<int>(block.dataRows.size())));
    lines.push_back(block.end + "  ; DATA PROCESSING DATE, TIME");
    lines.push_back("v1.3 ; DATA PROCESSING VERSION");
    lines.push_back("NOMINAL ; RESULTS QUALITY (NOMINAL, FAIR, POOR)");
    lines.push_back(block.start + "  ; RECORD DATE, TIME (UT) START");
    lines.push_back(block.end + "  ; RECORD DATE, TIME (UT) END");
    lines.push_back("Station sensors ; Source of Surface Pressure, Temperature, Humidity, and Wind");
    for (const std::string& comment : block.comments) lines.push_back(comment);
    lines.push_back("StartTime, EndTime, MeanTime, O3MR, O3MRUncert, Precision, Press, Temp, RH, WndSpd, WndDir");
    for (const std::string& row : block.dataRows) lines.push_back(row);
  }
  return joinLines(lines);
}

std::string validProfileText() {
  return profileFileText({profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00")});
}

std::string validSurfaceText() {
  RecordBlock block;
  block.dataRows = recordDataRows(10);
  return surfaceFileText({block});
}

std::string profileFileName(const std::string& yyyymmdd, int revision) {
  return formatText("Parvix-O3Lidar_QOR_%s_R%d.dat", yyyymmdd.c_str(), revision);
}

std::string surfaceFileName(const std::string& yyyymmdd, int revision) {
  return formatText("Parvix-O3Surface_HALK_%s_R%d.dat", yyyymmdd.c_str(), revision);
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd) {
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

std::string replaceLine(const std::string& text, int number, const std::string& line) {
  std::vector<std::string> lines = splitLines(text);
  if (number >= 1 && number <= static_cast<int>(lines.size())) lines[static_cast<size_t>(number - 1)] = line;
  return joinLines(lines);
}

std::string randomLineText(std::mt19937& random, std::string_view bytes) {
  std::string text;
  const int lines = static_cast<int>(random() % 40);
  for (int i = 0; i < lines; ++i) {
    const unsigned kind = random() % 10;
    const size_t length = kind == 0 ? 250000 + random() % 300000 : kind == 1 ? 8190 + random() % 4 : random() % 30;
    for (size_t j = 0; j < length; ++j) text += bytes[random() % bytes.size()];
    if (random() % 3 == 0) text += '\r';
    if (i + 1 < lines || random() % 2) text += '\n';
  }
  return text;
}

}  // namespace testing_support
