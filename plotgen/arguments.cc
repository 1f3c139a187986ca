#include "plotgen/arguments.h"

#include <array>

#include "platform/text.h"
#include "plotgen/plot_globals.h"

namespace plotgen {
namespace {

// The 11 characters no argument may hold, followed by the 10 digits of the int test.
constexpr std::string_view kCharacterTable = "&\\/@#%^*!$~0123456789";
constexpr size_t kForbiddenCount = 11;

constexpr std::array<std::string_view, 6> kLocations = {"HALK", "XOV", "Qiru", "ZIB", "YUNT", "ANY"};
constexpr std::array<std::string_view, 4> kBoolWords = {"true", "1", "false", "0"};

std::string_view forbiddenCharacters() { return kCharacterTable.substr(0, kForbiddenCount); }
std::string_view digitCharacters() { return kCharacterTable.substr(kForbiddenCount); }

void logError(std::string_view text, std::string_view value) {
  std::string line = "ERROR: ";
  line += text;
  line += value;
  logLine(line);
}

// Logs the order error of steps 4, 6 and 7: "<a>: x cannot be greater than or equal to <b>: y".
bool checkOrder(const char* const* argv, int lower, int upper, std::string_view lowerName,
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
  logLine(line);
  return false;
}

}  // namespace

bool isValidString(std::string_view text) {
  if (text.find_first_of(forbiddenCharacters()) == std::string_view::npos) return true;
  logError("invalid string input: ", text);
  return false;
}

bool isValidLocation(std::string_view text) {
  for (std::string_view location : kLocations)
    if (text == location) return true;
  logError("invalid location input: ", text);
  return false;
}

bool isValidBool(std::string_view text) {
  for (std::string_view word : kBoolWords)
    if (text == word) return true;
  logError("invalid bool input: ", text);
  return false;
}

bool isValidDate(std::string_view text) {
  if (text.size() == 14 && isValidInt(text, false)) return true;
  logError("invalid date input: ", text);
  return false;
}

bool isValidInt(std::string_view text, bool report) {
  // An empty argument is as invalid as any other non-number and is reported alike.
  bool valid = !text.empty() && text.find_first_not_of(digitCharacters()) == std::string_view::npos;
  if (!valid && report) logError("invalid int input: ", text);
  return valid;
}

bool isValidNumberDensity(std::string_view text) {
  if (isValidInt(text, false)) return true;
  if (text.find("e+") != std::string_view::npos) {
    std::vector<std::string> pieces = split(text, "e+");
    if (pieces.size() == 2 && isValidInt(pieces[0], false) && isValidInt(pieces[1], false)) return true;
  }
  logError("invalid Number Density input: ", text);
  return false;
}

bool checkArguments(int argc, const char* const* argv) {
  if (argc != 21) {
    logError("invalid number of arguments: ", intToString(argc));
    return false;
  }
  for (int i = 1; i <= 20; ++i)
    if (!isValidString(argv[i])) return false;
  if (!isValidLocation(argv[1])) return false;
  if (!checkOrder(argv, 2, 3, "startFile", "endFile")) return false;
  if (!toBool(argv[4]) && !toBool(argv[5])) {
    logLine("ERROR: isProfileRange and isTimeRange cannot both be false");
    return false;
  }
  if (!checkOrder(argv, 6, 7, "startProfile", "endProfile")) return false;
  if (!checkOrder(argv, 13, 14, "altLowerLimit", "altUpperLimit")) return false;
  for (int i : {4, 5, 10, 15, 16, 17, 18})
    if (!isValidBool(argv[i])) return false;
  if (!isValidDate(argv[8]) || !isValidDate(argv[9])) return false;
  for (int i : {2, 3, 6, 7, 13, 14, 19, 20})
    if (!isValidInt(argv[i], true)) return false;
  if (toBool(argv[10])) {
    if (!isValidNumberDensity(argv[11]) || !isValidNumberDensity(argv[12])) return false;
  } else {
    if (!isValidInt(argv[11], true) || !isValidInt(argv[12], true)) return false;
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
