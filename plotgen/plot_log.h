// The plot log "_CErr_.txt" of one run: progress lines beginning "OK" and
// failure lines beginning "ERROR", which the front end reads after the run.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

namespace plotgen {

class PlotLog {
 public:
  // Opens the log for writing, truncating it; false when it cannot be opened.
  bool open(const std::string& path);
  bool isOpen() const { return stream_.is_open(); }
  void close();

  // Writes one log line and its line end, and flushes it so that nothing is
  // lost when the run ends abnormally. Every control character of the text, a
  // line end among them, is written as '?': a path, an argument or a file's
  // text in a log line can neither end it early nor start a line of its own
  // (the front end takes every line that begins with ERROR for a failure). A
  // log that is not open takes nothing.
  void logLine(std::string_view text);

 private:
  std::ofstream stream_;
};

}  // namespace plotgen
