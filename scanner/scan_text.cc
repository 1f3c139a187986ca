#include "scanner/scan_text.h"

#include <vector>

#include "platform/text.h"
#include "scanner/scan_report.h"

namespace {

// Character classes of the number tests, as tables: the tests run on every
// value of every data line.
struct CharClass {
  bool member[256] = {};
  explicit constexpr CharClass(std::string_view chars) {
    for (char c : chars) member[static_cast<unsigned char>(c)] = true;
  }
  bool operator()(char c) const { return member[static_cast<unsigned char>(c)]; }
};

constexpr CharClass kIntegerChars("0123456789eE-+\r\n");
constexpr CharClass kFloatChars("0123456789eE.+-\r\n");

// Counts the characters that are neither blank nor tab; false when one of them
// is outside `allowed`.
bool onlyCharactersOf(std::string_view text, const CharClass& allowed, size_t& counted) {
  counted = 0;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (!allowed(c)) return false;
    ++counted;
  }
  return true;
}

bool hasDigit(std::string_view text) {
  for (char c : text)
    if (c >= '0' && c <= '9') return true;
  return false;
}

}  // namespace

std::string trimBlanks(std::string_view text) { return std::string(platform::trimAnyOf(text, " ")); }

std::string toUpperText(std::string_view text) {
  return platform::toUpperAscii(text.substr(0, text.find('\0')));
}

bool isIntegerText(std::string_view text) {
  size_t counted;
  return text.size() < 127 && onlyCharactersOf(text, kIntegerChars, counted);
}

bool isFloatText(std::string_view text) {
  size_t counted;
  return onlyCharactersOf(text, kFloatChars, counted) && counted < 127;
}

bool checkLonLatAlt(std::string_view text, double& longitude, double& latitude, double& elevation) {
  std::vector<std::string> items = platform::splitSkippingEmpty(text, ",");
  double* targets[3] = {&longitude, &latitude, &elevation};
  bool allRead = true;
  for (size_t i = 0; i < 3; ++i) {
    // A blank item or one without a digit holds no number: the line fails rather
    // than keeping a value from before.
    if (i < items.size() && isFloatText(items[i]) && hasDigit(items[i]))
      *targets[i] = platform::leadingDouble(items[i]);
    else
      allRead = false;
  }
  if (!allRead) return false;
  return longitude >= -180 && longitude <= 360 && latitude >= -90 && latitude <= 90 && elevation >= -200 &&
         elevation <= 5000;
}

std::string headerValue(std::string_view line) { return std::string(line.substr(0, line.find(';'))); }

std::string headerComment(std::string_view line) {
  size_t semicolon = line.find(';');
  return semicolon == std::string_view::npos ? std::string() : std::string(line.substr(semicolon));
}

int splitKeywordTriple(ReportSink& report, std::string triple, int messageLine, std::vector<std::string>& keywords) {
  constexpr size_t kMaxTripleLength = 127;
  int problem = 0;
  if (triple.size() > kMaxTripleLength) {
    problem = 5;
    triple.resize(kMaxTripleLength);
    reportRed(report, platform::formatText("<br>Error (Line %d) -- Comments Text Too Long.\n", messageLine));
  }
  keywords = platform::splitSkippingEmpty(triple, "|");
  const int kWeights[3] = {10, 100, 1000};
  for (size_t i = keywords.size(); i < 3; ++i) {
    problem += kWeights[i];
    reportRed(report,
              platform::formatText("<br>Error (Line %d): Comments Text NOT Correct. (%d)\n", messageLine, problem));
  }
  return problem;
}
