// Text helpers shared by the three programs: opening regular files only, line
// reading with Windows text mode's line ends, ASCII case, the C run-time's number conversions without
// their undefined corners, trimming and splitting, and safe formatting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The longest line readLine keeps: far above any line of a valid data, template
// or list file (their lines hold at most a few hundred characters), small enough
// that a file of one endless line cannot exhaust the memory.
inline constexpr size_t kMaxLineLength = 1024 * 1024;

// What a line reader tells of the whole of a line, for a caller that judges a
// line by more than the bytes kept of it: the line's length (without its line
// end and the '\r' that the line end drops), and how many of the bytes that a
// cut dropped are `counted` (a byte other than '\r' and '\n'). A line that was
// not cut has `length` bytes kept and none dropped. The reader counts the
// dropped bytes as it skips them, so the memory of a long line stays bounded.
struct WholeLine {
  char counted = ',';
  size_t length = 0;
  size_t countedPastCut = 0;
  // The reader's own: whether the last byte dropped so far is a '\r'.
  bool droppedEndsInReturn = false;

  void startLine() {
    length = countedPastCut = 0;
    droppedEndsInReturn = false;
  }
};

// Reads the next line of 8-bit text without its '\n'; one '\r' right before the
// '\n' is dropped, as Windows text mode does. Returns true when a '\n' ended the
// line; false at the end of the file (line then holds what was left, maybe ""),
// and false when the stream cannot be read any further. A line longer than
// maxLength keeps its first maxLength bytes; the rest of it is read and dropped,
// so the next call starts at the next line. With `whole`, also what it tells
// of the line read; the line is the same either way.
bool readLine(std::istream& in, std::string* line, size_t maxLength = kMaxLineLength, WholeLine* whole = nullptr);

// The line rule of readLine for a reader that reads a line in pieces: each
// piece (`line` starts empty, `whole` started) is kept while the line holds at
// most maxLength + 1 bytes (room for a '\r' that the line end drops), the rest
// counted into `whole` when there is one; at the line's end, `total` bytes
// read in all (kept or not) and `ended` true when a '\n' ended it, the '\r' is
// dropped, the line cut to maxLength and `whole` completed. Inline where a
// line fits, as nearly every line does; the cut is made out of line.
void keepCutLinePiece(std::string* line, std::string_view piece, size_t room, WholeLine* whole);
void finishCutLine(std::string* line, size_t total, bool ended, size_t maxLength, WholeLine* whole);

inline void keepLinePiece(std::string* line, std::string_view piece, size_t maxLength, WholeLine* whole = nullptr) {
  const size_t room = line->size() <= maxLength ? maxLength + 1 - line->size() : 0;
  if (piece.size() <= room)
    line->append(piece.data(), piece.size());
  else
    keepCutLinePiece(line, piece, room, whole);
}

inline void finishLine(std::string* line, size_t total, bool ended, size_t maxLength, WholeLine* whole = nullptr) {
  if (total == line->size()) {  // nothing was dropped
    if (ended && !line->empty() && line->back() == '\r') line->pop_back();
    if (line->size() <= maxLength) {
      if (whole) whole->length = line->size();
      return;
    }
  }
  finishCutLine(line, total, ended, maxLength, whole);
}

// The same rule for a reader that holds a line's bytes in its own buffer and
// hands out views of them: what readLine keeps of a line whose bytes, without
// its '\n', are `text` (`ended` when a '\n' ended it): the '\r' before the
// '\n' dropped, then the first maxLength bytes. A line longer than maxLength
// keeps its first maxLength bytes however it ends, so such a reader need not
// hold more of it than that.
inline std::string_view keptLine(std::string_view text, bool ended, size_t maxLength = kMaxLineLength) {
  if (ended && !text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text.substr(0, maxLength);
}

// Opens a regular file for reading as bytes. Anything else does not open: a
// folder (as on Windows; on Linux it would open as a stream that fails at every
// read), a FIFO (whose open would wait for a writer), a device such as /dev/zero
// (an endless stream). The check and the open are made on one file descriptor,
// so the stream reads the very file that was checked, and the open never blocks.
bool openInputFile(std::ifstream& in, const std::string& path);

// The same check for a reader of its own: a read-only descriptor of the
// regular file at path (the caller closes it), or -1 for anything else, and
// for a file that does not open; never blocks.
int openRegularFile(const std::string& path);

// Reads up to size bytes from a descriptor, again when a signal interrupts the
// read: the count read, 0 at the end of the file, -1 on a read error.
long long readSome(int fd, char* into, size_t size);

// ASCII-only case conversion (bytes above 0x7F stay as they are).
inline char toUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char toLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);

// The leading decimal integer of a text as a 32-bit atol/atoi reads it: blanks
// skipped, optional sign, digits up to the first other character, 0 when there
// are none; values beyond the 32-bit range saturate. Stops at a NUL byte.
int32_t leadingLong(std::string_view text);

// The leading floating-point number of a text as atof reads it in the C locale,
// whatever the process's locale; 0 when there is none.
double leadingDouble(std::string_view text);

// Trimming and splitting. The programs trim and split their texts by rules of
// their own; each rule is one function, and each says how it differs from the
// others.

// The text without the characters of `characters` at its ends; inner ones
// stay. The trim behind the scanner's trimBlanks (" ") and the verifier's
// trimString (" \t\r\n"), which differ only in this set.
inline std::string_view trimAnyOf(std::string_view text, std::string_view characters) {
  const size_t first = text.find_first_not_of(characters);
  if (first == std::string_view::npos) return text.substr(text.size());
  return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

// The text without the blanks and tabs at its ends: unlike the scanner's
// trimBlanks it takes tabs too, unlike the verifier's trimString it leaves
// carriage returns and line feeds. Made for the cells of a PROFILE data line,
// one call per cell: the one blank after a comma is dropped at once, and only
// a text that still begins or ends with a byte up to ' ' is trimmed further.
inline std::string_view trimBlanksAndTabs(std::string_view text) {
  if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (!text.empty() &&
      (static_cast<unsigned char>(text.front()) <= ' ' || static_cast<unsigned char>(text.back()) <= ' ')) {
    return trimAnyOf(text, " \t");
  }
  return text;
}

// The pieces between the occurrences of the delimiter text, every one kept:
// empty pieces between delimiters and at both ends stay, and the rest after
// the last delimiter is always the last piece (so an empty text gives one
// empty piece, and an empty delimiter the whole text). Unlike the verifier's
// splitString it keeps an empty last piece; unlike splitSkippingEmpty it keeps
// every empty piece and cuts at the whole delimiter text. The pieces point
// into the text. The plot generator's split is this one, with the pieces copied.
void splitKeepingEveryPiece(std::string_view text, std::string_view delimiter, std::vector<std::string_view>* pieces);

// The pieces between separators as repeated strtok calls give them: every
// character of `separators` separates, and no piece is empty (runs of
// separators, and separators at the ends, give no piece). Unlike
// splitKeepingEveryPiece and the verifier's splitString, which keep empty
// pieces and cut at one delimiter.
std::vector<std::string> splitSkippingEmpty(std::string_view text, std::string_view separators);

// printf-style formatting into a string. The format must be a literal of the
// program: text from files or users goes in as an argument, never as a format.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Escapes '&', '<' and '>' so that a text from a file shows as itself in HTML.
std::string htmlEscape(std::string_view text);

}  // namespace platform
