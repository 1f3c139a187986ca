// gnuplot started with a pipe to its standard input, one command a line, and
// the check of what it left: its exit and its image.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/process.h"

namespace plotgen {

// How long a gnuplot may run on after its script was sent before it is
// stopped: 30 minutes. The largest plot measured, 40,000 profiles of 500
// altitudes (1.4 GB of curtain data, 2.5 GB of memory for gnuplot), took
// gnuplot 34 seconds for the curtain and 9 for the profile plot; a gnuplot
// still running after 30 minutes is taken to hang.
inline constexpr long long kGnuplotTimeLimitMs = 30LL * 60 * 1000;

// The gnuplot to start: "bin/gnuplot" under the current folder when that is an
// executable file, else the first executable "gnuplot" on PATH; "" when neither.
std::string findGnuplot();
// The path to log for a plot: the one that will be started, or "gnuplot" when none is found.
std::string gnuplotPathForLog(const std::string& found);

// What is wrong with an image that gnuplot was to write at `image`: "" when
// it is a whole JPEG file (a regular file that begins with the bytes FF D8
// and ends with FF D9), else "was not written", "is not a plain file", "is
// empty" or "is cut short". A link at the name is not followed and a FIFO
// is not waited on.
std::string imageProblem(const std::string& image);

class GnuplotPipe {
 public:
  // Removes whatever stands at `image` (a link as a name, never what it
  // points at), so that gnuplot writes a new plain file there, then starts
  // the program at path from an argument vector (no shell), to be killed when
  // this process ends. When it cannot be started, writes "Error: Gnuplot not
  // found!" to standard error and holds no stream.
  GnuplotPipe(const std::string& path, std::string image);
  // Stops a gnuplot that is still running (when finish was not reached).
  ~GnuplotPipe();
  GnuplotPipe(const GnuplotPipe&) = delete;
  GnuplotPipe& operator=(const GnuplotPipe&) = delete;

  // Writes the command and a line end and flushes at once.
  void send(std::string_view command);

  // Writes "exit", closes the pipe and waits for gnuplot to end, at most
  // timeLimitMs; a gnuplot still running then is stopped. Returns "" when
  // gnuplot ended with status 0 and left a whole image, else the text of the
  // one ERROR line that says what happened and for which image; what gnuplot
  // left at the image's name is then removed.
  std::string finish(long long timeLimitMs);

 private:
  std::string failure(long long timeLimitMs);
  std::string image_;
  int startError_ = 0;  // errno of a failed start; ENOENT when no gnuplot was found
  platform::ChildProcess child_;
  FILE* stream_ = nullptr;
};

}  // namespace plotgen
