// Output files that are whole or absent.
//
// A report, a data file or a log is written under a temporary name in the
// folder of its final name and renamed to that name only once every byte of it
// is written and the file is closed. A reader never finds a cut file at the
// name, and a run killed midway leaves the name as it was. The rename replaces
// whatever stands at the name, a link, a FIFO or an older file, as a name: a
// link is never followed, so the file it points at is never written, and a FIFO
// is never opened, so nothing waits for a reader.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

class ReplacingFile {
 public:
  ReplacingFile() = default;
  // Removes the temporary file of a file that was not put in place.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Creates the temporary file, a new regular file beside `path` (its mode
  // 0666 less the process's umask, as a file that fopen creates). False with
  // *error set to the errno value when it cannot be created, and EISDIR when a
  // folder stands at `path`; a file that was open is discarded first.
  // Temporary files of `path` that a writer killed midway left behind (their
  // process has ended) are removed.
  bool create(const std::string& path, int* error);
  bool isOpen() const { return stream_ != nullptr; }
  // The file's buffered stream; null when no file is open. Writes through it
  // are checked when the file is finished.
  std::FILE* stream() const { return stream_; }
  // Writes the bytes through the stream (nothing when no file is open).
  void write(std::string_view bytes);
  // Writes what the stream holds to the file at once; false with *error set
  // when that or an earlier write failed.
  bool flush(int* error);

  // Renames the file to its final name now, while it stays open for writing:
  // for a log that is read as it grows. False with *error set when the rename
  // fails (the temporary file is then removed) or no file is open (EBADF).
  bool putInPlace(int* error);
  // Writes what is buffered, closes the file and renames it to its final name
  // (when putInPlace has not). False with *error set when any write, the close
  // or the rename failed: the temporary file is then removed and the final name
  // is left as it was (or, after putInPlace, holds what could be written).
  // False with EBADF when no file is open (none was created, or it was
  // finished or discarded already).
  bool finish(int* error);
  // Closes the file and removes the temporary file; the final name is left as
  // it was. Nothing when no file is open.
  void discard();

  const std::string& finalPath() const { return finalPath_; }
  const std::string& temporaryPath() const { return temporaryPath_; }

  // The descriptor under the stream, and the first error that a write to it
  // or its close met (0 when none): the stream's own error flag does not keep
  // the cause.
  struct Sink {
    int fd = -1;
    int error = 0;
  };

 private:
  // Closes the stream; false with *error set when a write or the close failed.
  bool closeStream(int* error);
  Sink sink_;
  std::FILE* stream_ = nullptr;
  std::string finalPath_;
  std::string temporaryPath_;
  bool inPlace_ = false;
};

}  // namespace platform
