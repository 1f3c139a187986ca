#include "scanner/scan_text.h"

#include <cmath>
#include <vector>

#include "platform/text.h"

namespace {

// The text with every blank and tab removed.
std::string withoutBlanksAndTabs(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t') out += c;
  return out;
}

bool onlyCharactersOf(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

bool hasDigit(std::string_view text) {
  for (char c : text)
    if (c >= '0' && c <= '9') return true;
  return false;
}

}  // namespace

std::string trimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string();
  size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string toUpperText(std::string_view text) {
  return platform::toUpperAscii(text.substr(0, text.find('\0')));
}

bool isIntegerText(std::string_view text) {
  if (text.size() >= 127) return false;
  return onlyCharactersOf(withoutBlanksAndTabs(text), "0123456789eE-+\r\n");
}

bool isFloatText(std::string_view text) {
  std::string packed = withoutBlanksAndTabs(text);
  if (packed.size() >= 127) return false;
  return onlyCharactersOf(packed, "0123456789eE.+-\r\n");
}

bool checkLonLatAlt(std::string_view text, double& longitude, double& latitude, double& elevation) {
  std::vector<std::string> items = platform::splitTokens(text, ",");
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

bool nearlyEqual(double a, double b) { return std::fabs(a - b) < 1e-6; }

std::string headerValue(std::string_view line) { return std::string(line.substr(0, line.find(';'))); }

std::string headerComment(std::string_view line) {
  size_t semicolon = line.find(';');
  return semicolon == std::string_view::npos ? std::string() : std::string(line.substr(semicolon));
}
