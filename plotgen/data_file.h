// An output data file of the plot generator.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/replacing_file.h"

namespace plotgen {

// One output data file with a buffer of its own, so that rows are written in
// large pieces. Writers ask for room at the buffer's end, write their bytes
// there and commit the position after the last one. The file is written as a
// new plain file under a hidden name beside its own and takes its name when it
// is closed: a link or a FIFO at the name is replaced, never written through
// or waited on, and a file that could not be written in full leaves the name
// as it was.
class DataFile {
 public:
  // Creates the file; false when it cannot be created or a folder stands at
  // the name (a folder cannot be replaced).
  bool open(const std::string& name);
  // Room for at least n more bytes; the buffer is handed to the file first
  // when they do not fit.
  char* room(size_t n) {
    if (capacity_ - size_ < n) makeRoom(n);
    return buffer_.get() + size_;
  }
  // Ends a write that began at room(): end is the position after its last byte.
  void commit(char* end) { size_ = static_cast<size_t>(end - buffer_.get()); }
  void append(std::string_view text);
  // Writes what is left, closes the file and puts it at its name; false when
  // any write, the close or the rename failed.
  bool close();

 private:
  static constexpr size_t kBufferSize = 1 << 20;
  void makeRoom(size_t n);
  // Hands the buffer to the file.
  void flush();
  platform::ReplacingFile file_;
  std::unique_ptr<char[]> buffer_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace plotgen
