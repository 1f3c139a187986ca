#include "plotgen/data_file.h"

#include <algorithm>
#include <cstring>

namespace plotgen {

bool DataFile::open(const std::string& name) {
  stream_.open(name, std::ios::binary | std::ios::trunc);
  return stream_.is_open();
}

void DataFile::makeRoom(size_t n) {
  flush();
  if (n > capacity_) {
    // The buffer holds at least kBufferSize bytes; a larger piece gets a buffer of its size.
    capacity_ = std::max(n, kBufferSize);
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
  }
}

void DataFile::append(std::string_view text) {
  if (text.empty()) return;
  char* out = room(text.size());
  std::memcpy(out, text.data(), text.size());
  commit(out + text.size());
}

void DataFile::flush() {
  if (stream_.is_open() && size_ > 0) stream_.write(buffer_.get(), static_cast<std::streamsize>(size_));
  size_ = 0;
}

bool DataFile::close() {
  if (!stream_.is_open()) return true;
  flush();
  stream_.close();
  return static_cast<bool>(stream_);
}

}  // namespace plotgen
