#include "plotgen/arguments.h"

#include <array>

#include "platform/text.h"

namespace plotgen {
namespace {

// The 11 characters no argument may hold, followed by the 10 digits of the int test.
constexpr std::string_view kCharacterTable = "&\\/@#%^*!$~0123456789";
constexpr size_t kForbiddenCount = 11;

constexpr std::array<std::string_view, 6> kLocations = {"HALK", "XOV", "Qiru", "ZIB", "YUNT", "ANY"};
constexpr std::array<std::string_view, 4> kBoolWords = {"true", "1", "false", "0"};

std::string_view forbiddenCharacters() { return kCharacterTable.substr(0, kForbiddenCount); }
std::string_view digitCharacters() { return kCharacterTable.substr(kForbiddenCount); }

void logError(PlotLog& log, std::string_view text, std::string_view value) {
  std::string line = "ERROR: ";
  line += text;
  line += value;
  log.logLine(line);
}

// Logs the order error of steps 4, 6 and 7: "<a>: x cannot be greater than or equal to <b>: y".
bool checkOrder(PlotLog& log, const char* const* argv, int lower, int upper, std::string_view lowerName,
                std::string_view upperName) {
  if (toInt(argv[lower]) < toInt(argv[upper])) return true;
  std::string line = "ERROR: ";
  line += lowerName;
  line += ": ";
  line += argv[lower];
  line += " cannot be greater than or equal to ";
  line += upperName;
  line += ": ";
  line += argv[upper];
  log.logLine(line);
  return false;
}

}  // namespace

bool isValidString(PlotLog& log, std::string_view text) {
  if (text.find_first_of(forbiddenCharacters()) == std::string_view::npos) return true;
  logError(log, "invalid string input: ", text);
  return false;
}

bool isValidLocation(PlotLog& log, std::string_view text) {
  for (std::string_view location : kLocations)
    if (text == location) return true;
  logError(log, "invalid location input: ", text);
  return false;
}

bool isValidBool(PlotLog& log, std::string_view text) {
  for (std::string_view word : kBoolWords)
    if (text == word) return true;
  logError(log, "invalid bool input: ", text);
  return false;
}

bool isValidDate(PlotLog& log, std::string_view text) {
  if (text.size() == 14 && isValidInt(log, text, false)) return true;
  logError(log, "invalid date input: ", text);
  return false;
}

bool isValidInt(PlotLog& log, std::string_view text, bool report) {
  // An empty argument is as invalid as any other non-number and is reported alike.
  bool valid = !text.empty() && text.find_first_not_of(digitCharacters()) == std::string_view::npos;
  if (!valid && report) logError(log, "invalid int input: ", text);
  return valid;
}

bool isValidNumberDensity(PlotLog& log, std::string_view text) {
  if (isValidInt(log, text, false)) return true;
  if (text.find("e+") != std::string_view::npos) {
    std::vector<std::string> pieces = split(text, "e+");
    if (pieces.size() == 2 && isValidInt(log, pieces[0], false) && isValidInt(log, pieces[1], false)) return true;
  }
  logError(log, "invalid Number Density input: ", text);
  return false;
}

bool checkArguments(PlotLog& log, int argc, const char* const* argv) {
  if (argc != 21) {
    logError(log, "invalid number of arguments: ", intToString(argc));
    return false;
  }
  for (int i = 1; i <= 20; ++i)
    if (!isValidString(log, argv[i])) return false;
  if (!isValidLocation(log, argv[1])) return false;
  if (!checkOrder(log, argv, 2, 3, "startFile", "endFile")) return false;
  if (!toBool(argv[4]) && !toBool(argv[5])) {
    log.logLine("ERROR: isProfileRange and isTimeRange cannot both be false");
    return false;
  }
  if (!checkOrder(log, argv, 6, 7, "startProfile", "endProfile")) return false;
  if (!checkOrder(log, argv, 13, 14, "altLowerLimit", "altUpperLimit")) return false;
  for (int i : {4, 5, 10, 15, 16, 17, 18})
    if (!isValidBool(log, argv[i])) return false;
  if (!isValidDate(log, argv[8]) || !isValidDate(log, argv[9])) return false;
  for (int i : {2, 3, 6, 7, 13, 14, 19, 20})
    if (!isValidInt(log, argv[i], true)) return false;
  if (toBool(argv[10])) {
    if (!isValidNumberDensity(log, argv[11]) || !isValidNumberDensity(log, argv[12])) return false;
  } else {
    if (!isValidInt(log, argv[11], true) || !isValidInt(log, argv[12], true)) return false;
  }
  return true;
}

bool toBool(std::string_view text) { return text == "true" || text == "1"; }

int toInt(std::string_view text) { return platform::leadingLong(text); }

std::string intToString(long long value) { return std::to_string(value); }

std::vector<std::string> split(std::string_view text, std::string_view delimiter) {
  std::vector<std::string_view> views;
  platform::splitKeepingEveryPiece(text, delimiter, &views);
  return std::vector<std::string>(views.begin(), views.end());
}

std::string plainDecimal(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] >= '0' && text[i] <= '9') {
      size_t end = text.find_first_not_of(digitCharacters(), i);
      if (end == std::string_view::npos) end = text.size();
      size_t first = text.find_first_not_of('0', i);
      if (first == std::string_view::npos || first >= end) first = end - 1;  // all zeros: keep one
      out.append(text.substr(first, end - first));
      i = end;
    } else {
      out += text[i++];
    }
  }
  return out;
}

}  // namespace plotgen
