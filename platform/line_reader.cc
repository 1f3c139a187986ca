#include "platform/line_reader.h"

#include <unistd.h>

#include <cstring>

namespace platform {

LineReader::~LineReader() { close(); }

LineReader& LineReader::operator=(LineReader&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    buffer_ = std::move(other.buffer_);
    begin_ = std::exchange(other.begin_, 0);
    end_ = std::exchange(other.end_, 0);
  }
  return *this;
}

bool LineReader::open(const std::string& path) {
  close();
  fd_ = openRegularFile(path);
  if (fd_ < 0) return false;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  begin_ = end_ = 0;
  return true;
}

void LineReader::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  begin_ = end_ = 0;
}

bool LineReader::refill() {
  if (fd_ < 0) return false;
  const long long got = readSome(fd_, buffer_.get(), kBufferSize);
  if (got <= 0) return false;  // the end, or a read error: nothing more can be read
  begin_ = 0;
  end_ = static_cast<size_t>(got);
  return true;
}

bool LineReader::readLine(std::string* line, size_t maxLength, WholeLine* whole) {
  line->clear();
  if (whole) whole->startLine();
  size_t total = 0;  // bytes of the line read so far, kept or not
  for (;;) {
    if (begin_ == end_ && !refill()) {
      // The end of the file: `line` holds what was left.
      finishLine(line, total, false, maxLength, whole);
      return false;
    }
    const char* from = buffer_.get() + begin_;
    const size_t available = end_ - begin_;
    const char* newline = static_cast<const char*>(std::memchr(from, '\n', available));
    const size_t length = newline ? static_cast<size_t>(newline - from) : available;
    keepLinePiece(line, std::string_view(from, length), maxLength, whole);
    total += length;
    begin_ += newline ? length + 1 : length;
    if (newline) break;
  }
  finishLine(line, total, true, maxLength, whole);
  return true;
}

}  // namespace platform
