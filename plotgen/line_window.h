// The lines of a PROFILE file, read front to back through one buffer of
// modest size. A large file thus needs little memory: only the lines from the
// oldest one still wanted on are held, and the buffer is reused from file to
// file.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace plotgen {

// The rest of a file after its last line end, as the plot generator's readers
// take it once the platform's line rule has made a line of it: a '\r' at its
// end is dropped too (the last line end of a file written with "\r\n" may
// have lost its '\n'), and it is a line only when something is left of it.
inline bool keepsLastLine(std::string_view* rest) {
  if (!rest->empty() && rest->back() == '\r') rest->remove_suffix(1);
  return !rest->empty();
}

class LineWindow {
 public:
  LineWindow() = default;
  LineWindow(const LineWindow&) = delete;
  LineWindow& operator=(const LineWindow&) = delete;
  ~LineWindow();

  // Opens a file for reading its lines from line 0, each of them kept as the
  // platform's line readers keep it with this maxLength; false when it is no
  // regular file (a folder, a FIFO, a device) or cannot be opened.
  bool open(const std::string& path, size_t maxLength = platform::kMaxLineLength);
  void close();

  // Line `index` (counted from 0) as platform::LineReader reads it: without
  // its line end and the '\r' before it, cut to maxLength; the rest after the
  // last line end as keepsLastLine takes it. False when the file has fewer
  // lines. Lines are cut on demand; an index before the oldest line still
  // held (see forget) is a logic error.
  bool line(long long index, std::string_view* out);

  // The lines from index on that are already held, in order; a call to line()
  // for an index past them may move the text and end their validity.
  const std::string_view* heldFrom(long long index) const { return &lines_[static_cast<size_t>(index - first_)]; }

  // Lines before index will not be asked for again; their text may be
  // dropped at the next refill.
  void forget(long long index) {
    if (index > forgetBefore_) forgetBefore_ = index;
  }

  // The number of lines of the file; known once line() has returned false.
  long long lineCount() const { return first_ + static_cast<long long>(lines_.size()); }

 private:
  static constexpr size_t kInitialSize = 1 << 19;
  // Cuts the next line into lines_; false at the end of the file. Of a line
  // longer than maxLength_ only the first maxLength_ bytes are held; the rest
  // is dropped as it is read.
  bool cutLine();
  // Drops the forgotten lines, moves the rest to the front (growing the
  // buffer when it is full) and reads more of the file.
  void refill();

  int fd_ = -1;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0;
  size_t filled_ = 0;   // bytes of the file in the buffer
  size_t cut_ = 0;      // where the next line begins
  bool atEnd_ = false;  // the file has been read to its end
  size_t maxLength_ = platform::kMaxLineLength;
  bool inLongLine_ = false;  // the line from cut_ on is longer than maxLength_: its rest is dropped
  long long first_ = 0;  // index of lines_[0]
  long long forgetBefore_ = 0;
  std::vector<std::string_view> lines_;  // the lines held, pointing into the buffer
};

}  // namespace plotgen
