#include "plotgen/data_file.h"

#include <algorithm>
#include <cstring>

namespace plotgen {

bool DataFile::open(const std::string& name) {
  int error = 0;
  return file_.create(name, &error);
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
  if (file_.isOpen() && size_ > 0) file_.write(std::string_view(buffer_.get(), size_));
  size_ = 0;
}

bool DataFile::close() {
  if (!file_.isOpen()) return true;
  flush();
  int error = 0;
  return file_.finish(&error);
}

}  // namespace plotgen
