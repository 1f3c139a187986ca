#include "plotgen/line_window.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/text.h"

namespace plotgen {

LineWindow::~LineWindow() { close(); }

bool LineWindow::open(const std::string& path, size_t maxLength) {
  close();
  filled_ = cut_ = 0;
  atEnd_ = false;
  maxLength_ = maxLength;
  inLongLine_ = false;
  first_ = forgetBefore_ = 0;
  lines_.clear();
  // Regular files only: a FIFO would wait for a writer and a device such as
  // /dev/zero would never end.
  int fd = platform::openRegularFile(path);
  if (fd < 0) return false;
  fd_ = fd;
  if (!buffer_) {
    capacity_ = kInitialSize;
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
  }
  return true;
}

void LineWindow::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool LineWindow::line(long long index, std::string_view* out) {
  if (index < first_) throw std::logic_error("a line of the data file was asked for after it was dropped");
  while (index >= lineCount()) {
    if (!cutLine()) return false;
  }
  *out = lines_[static_cast<size_t>(index - first_)];
  return true;
}

bool LineWindow::cutLine() {
  for (;;) {
    const char* base = buffer_.get();
    const char* from = base + cut_;
    // Of a long line the bytes past its first maxLength_ are not held: its
    // line end is looked for in what was read after them.
    const size_t looked = inLongLine_ ? maxLength_ : 0;
    const char* end = static_cast<const char*>(std::memchr(from + looked, '\n', filled_ - cut_ - looked));
    if (end || atEnd_) {
      const size_t length = end ? static_cast<size_t>(end - from) : filled_ - cut_;
      cut_ = end ? static_cast<size_t>(end - base) + 1 : filled_;
      std::string_view line = inLongLine_ ? std::string_view(from, maxLength_)
                                          : platform::keptLine(std::string_view(from, length), end, maxLength_);
      inLongLine_ = false;
      if (!end && !keepsLastLine(&line)) return false;
      lines_.push_back(line);
      return true;
    }
    // No line end yet: a line longer than maxLength_ keeps its first
    // maxLength_ bytes whatever follows, and the rest is dropped.
    if (filled_ - cut_ > maxLength_) {
      filled_ = cut_ + maxLength_;
      inLongLine_ = true;
    }
    refill();
  }
}

void LineWindow::refill() {
  // Drop the forgotten lines; the text from the oldest line still held on is kept.
  size_t drop = static_cast<size_t>(std::clamp(forgetBefore_ - first_, 0LL, static_cast<long long>(lines_.size())));
  lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(drop));
  first_ += static_cast<long long>(drop);
  char* base = buffer_.get();
  size_t keep = lines_.empty() ? cut_ : static_cast<size_t>(lines_.front().data() - base);

  // The kept text goes to the front of the buffer, or of one twice as large
  // when it fills more than half of this one (so that a long block is not
  // moved again and again for small reads).
  char* target = base;
  std::unique_ptr<char[]> larger;
  if (2 * (filled_ - keep) > capacity_) {
    larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
    target = larger.get();
  }
  if (target != base || keep > 0) {
    std::memmove(target, base + keep, filled_ - keep);
    for (std::string_view& line : lines_)
      line = std::string_view(target + (line.data() - base - keep), line.size());
    filled_ -= keep;
    cut_ -= keep;
  }
  if (larger) {
    buffer_ = std::move(larger);
    capacity_ *= 2;
  }

  const long long got = platform::readSome(fd_, buffer_.get() + filled_, capacity_ - filled_);
  if (got <= 0) {
    atEnd_ = true;  // the end of the file, or a read error: what was read is all there is
  } else {
    filled_ += static_cast<size_t>(got);
  }
}

}  // namespace plotgen
