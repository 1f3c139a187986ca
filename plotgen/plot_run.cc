#include "plotgen/plot_run.h"

namespace plotgen {

bool DataFile::open(const std::string& name) {
  stream_.open(name, std::ios::binary | std::ios::trunc);
  buffer_.reserve(FlushSize * 2);
  return stream_.is_open();
}

void DataFile::flush() {
  if (stream_.is_open() && !buffer_.empty()) stream_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

bool DataFile::close() {
  if (!stream_.is_open()) return true;
  flush();
  stream_.close();
  return static_cast<bool>(stream_);
}

}  // namespace plotgen
