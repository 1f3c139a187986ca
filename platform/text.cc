#include "platform/text.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace platform {

bool readLine(std::istream& in, std::string* line, size_t maxLength, WholeLine* whole) {
  line->clear();
  if (whole) whole->startLine();
  // Read in chunks, keeping at most maxLength + 1 bytes (room for a '\r' that
  // the line end drops) however long the line is.
  char chunk[8192];
  size_t total = 0;  // bytes of the line read so far, kept or not
  bool ended = false;
  for (;;) {
    in.getline(chunk, sizeof chunk);
    const size_t got = static_cast<size_t>(in.gcount());
    // A '\n' was read (and counted) unless the chunk filled up, the file
    // ended, or the stream cannot be read at all (a folder, a read error).
    const bool full = in.fail() && !in.eof() && !in.bad() && got == sizeof chunk - 1;
    ended = !in.fail() && !in.eof();
    const size_t stored = ended ? got - 1 : got;
    keepLinePiece(line, std::string_view(chunk, stored), maxLength, whole);
    total += stored;
    if (!full) break;
    in.clear(in.rdstate() & ~std::ios::failbit);
  }
  finishLine(line, total, ended, maxLength, whole);
  return ended;
}

void keepCutLinePiece(std::string* line, std::string_view piece, size_t room, WholeLine* whole) {
  line->append(piece.data(), room);
  if (whole) {
    const std::string_view dropped = piece.substr(room);
    whole->countedPastCut += static_cast<size_t>(std::count(dropped.begin(), dropped.end(), whole->counted));
    whole->droppedEndsInReturn = dropped.back() == '\r';
  }
}

// The line holds maxLength + 1 bytes: bytes past them were dropped, or the
// last one is no '\r' that the line end drops.
void finishCutLine(std::string* line, size_t total, bool ended, size_t maxLength, WholeLine* whole) {
  if (whole) {
    const bool droppedReturn = total != line->size() && ended && whole->droppedEndsInReturn;
    whole->length = droppedReturn ? total - 1 : total;
    whole->countedPastCut +=
        static_cast<size_t>(std::count(line->begin() + static_cast<long>(maxLength), line->end(), whole->counted));
  }
  line->resize(maxLength);
}

int openRegularFile(const std::string& path) {
  // Without O_NONBLOCK the open of a FIFO would wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  // A regular file reads alike either way; the flag goes, so the descriptor
  // reads as any other.
  int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

long long readSome(int fd, char* into, size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, into, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool openInputFile(std::ifstream& in, const std::string& path) {
  int fd = openRegularFile(path);
  if (fd < 0) return false;
  // The stream opens the checked file itself through its descriptor, even
  // when the name has meanwhile been given to another file.
  in.open("/proc/self/fd/" + std::to_string(fd), std::ios::binary);
  if (!in.is_open()) in.open(path, std::ios::binary);  // no /proc mounted
  ::close(fd);
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

void splitKeepingEveryPiece(std::string_view text, std::string_view delimiter, std::vector<std::string_view>* pieces) {
  pieces->clear();
  if (delimiter.empty()) {
    pieces->push_back(text);
    return;
  }
  size_t start = 0;
  for (;;) {
    size_t at = text.find(delimiter, start);
    if (at == std::string_view::npos) break;
    pieces->push_back(text.substr(start, at - start));
    start = at + delimiter.size();
  }
  pieces->push_back(text.substr(start));
}

std::vector<std::string> splitSkippingEmpty(std::string_view text, std::string_view separators) {
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
