#include "hdfverify/text_utils.h"

#include "platform/text.h"

namespace hdfverify {

std::vector<std::string> splitString(std::string_view text, char delimiter) {
  std::vector<std::string_view> views;
  platform::splitKeepingEveryPiece(text, std::string_view(&delimiter, 1), &views);
  // The last piece is the rest after the last delimiter: empty when the text
  // ends with one (or is empty), and then not a piece.
  if (views.back().empty()) views.pop_back();
  return std::vector<std::string>(views.begin(), views.end());
}

std::string trimString(std::string_view text) { return std::string(platform::trimAnyOf(text, " \t\r\n")); }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (platform::toLowerAscii(a[i]) != platform::toLowerAscii(b[i])) return false;
  }
  return true;
}

bool equalsIgnoreCaseN(std::string_view a, std::string_view b, long n) {
  for (long i = 0; i < n; ++i) {
    size_t at = static_cast<size_t>(i);
    char ca = at < a.size() ? a[at] : '\0';
    char cb = at < b.size() ? b[at] : '\0';
    if (platform::toLowerAscii(ca) != platform::toLowerAscii(cb)) return false;
    if (ca == '\0') return true;  // both texts ended together
  }
  return true;
}

int countChar(std::string_view text, char c) {
  int count = 0;
  for (char x : text) count += x == c ? 1 : 0;
  return count;
}

bool isInList(const std::vector<std::string>& list, std::string_view text) { return indexInList(list, text) >= 0; }

int indexInList(const std::vector<std::string>& list, std::string_view text) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) return static_cast<int>(i);
  }
  return -1;
}

std::string esc(std::string_view text) { return platform::htmlEscape(text); }

}  // namespace hdfverify
