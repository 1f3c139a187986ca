// A reader of a regular file's lines that reads large pieces with read(2) and
// finds the line ends in its own buffer: the same lines as readLine gives from
// a stream, without the stream's per-line costs, for programs that read files
// of a hundred megabytes line by line.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "platform/text.h"

namespace platform {

class LineReader {
 public:
  LineReader() = default;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  // A moved reader owns the file; the one it came from is closed.
  LineReader(LineReader&& other) noexcept { *this = std::move(other); }
  LineReader& operator=(LineReader&& other) noexcept;
  ~LineReader();

  // Opens a regular file, as openRegularFile does; false for anything else.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return fd_ >= 0; }

  // The next line, exactly as readLine(stream, line, maxLength, whole) reads
  // it from a stream over the same bytes; a reader that is not open has no
  // lines.
  bool readLine(std::string* line, size_t maxLength = kMaxLineLength, WholeLine* whole = nullptr);

 private:
  static constexpr size_t kBufferSize = 256 * 1024;
  // Reads the next piece of the file; false at its end or on a read error.
  bool refill();

  int fd_ = -1;
  std::unique_ptr<char[]> buffer_;
  size_t begin_ = 0;  // the unread bytes are buffer_[begin_, end_)
  size_t end_ = 0;
};

}  // namespace platform
