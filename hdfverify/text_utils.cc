#include "hdfverify/text_utils.h"

#include "platform/text.h"

namespace hdfverify {

std::vector<std::string> splitString(std::string_view text, char delimiter) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(delimiter, start);
    if (end == std::string_view::npos) {
      pieces.emplace_back(text.substr(start));
      break;
    }
    pieces.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::string trimString(std::string_view text) {
  auto isTrimmed = [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; };
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isTrimmed(text[begin])) ++begin;
  while (end > begin && isTrimmed(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

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
