// The plot log "_CErr_.txt" of one run: progress lines beginning "OK" and
// failure lines beginning "ERROR", which the front end reads after the run.
#pragma once

#include <string>
#include <string_view>

#include "platform/replacing_file.h"

namespace plotgen {

class PlotLog {
 public:
  // Creates the log as a new plain file and puts it at path at once, so that
  // it can be read as it grows; whatever stood at the name (an older log, a
  // link, a FIFO) is replaced, never written through or waited on. False with
  // *error set to the errno value when it cannot be made (a folder at the
  // name, a folder that cannot be written).
  bool open(const std::string& path, int* error);
  bool isOpen() const { return file_.isOpen(); }
  // Closes the log; a failure of the close counts as a failed write.
  void close();

  // Writes one log line and its line end, and flushes it so that nothing is
  // lost when the run ends abnormally. Every control character of the text, a
  // line end among them, is written as '?': a path, an argument or a file's
  // text in a log line can neither end it early nor start a line of its own
  // (the front end takes every line that begins with ERROR for a failure). A
  // log that is not open takes nothing.
  void logLine(std::string_view text);

  // The errno value of the first write (or the close) of the log that failed;
  // 0 while every line has been written.
  int writeError() const { return writeError_; }

 private:
  platform::ReplacingFile file_;
  int writeError_ = 0;
};

}  // namespace plotgen
