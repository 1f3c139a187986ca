#include "platform/text.h"

#include <locale.h>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace platform {

bool readLine(std::istream& in, std::string& line) {
  std::getline(in, line);
  // The end came before a '\n' (or nothing was left), or the stream cannot be
  // read at all (a folder opened as a file, a read error): no further line.
  if (in.eof() || in.fail()) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool openInputFile(std::ifstream& in, const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  in.open(path, std::ios::binary);
  return in.is_open();
}

std::string toUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = toUpperAscii(c);
  return out;
}

std::string toLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = toLowerAscii(c);
  return out;
}

int32_t leadingLong(std::string_view text) {
  size_t i = 0;
  auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  bool saturated = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (!saturated) {
      value = value * 10 + (text[i] - '0');
      if (value > static_cast<int64_t>(INT32_MAX) + 1) saturated = true;
    }
  }
  if (negative) {
    if (saturated || value > static_cast<int64_t>(INT32_MAX) + 1) return INT32_MIN;
    return static_cast<int32_t>(-value);
  }
  if (saturated || value > INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(value);
}

double leadingDouble(std::string_view text) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  std::string copy(text.substr(0, text.find('\0')));
  return strtod_l(copy.c_str(), nullptr, cLocale);
}

std::vector<std::string> splitTokens(std::string_view text, std::string_view separators) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < text.size()) {
    size_t start = text.find_first_not_of(separators, i);
    if (start == std::string_view::npos) break;
    size_t end = text.find_first_of(separators, start);
    if (end == std::string_view::npos) end = text.size();
    tokens.emplace_back(text.substr(start, end - start));
    i = end;
  }
  return tokens;
}

std::string formatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (size > 0) {
    out.resize(static_cast<size_t>(size) + 1);
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(size));
  }
  va_end(args);
  return out;
}

std::string htmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace platform
