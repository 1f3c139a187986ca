// gnuplot started with a pipe to its standard input, one command a line.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/process.h"

namespace plotgen {

// The gnuplot to start: "bin/gnuplot" under the current folder when that is an
// executable file, else the first executable "gnuplot" on PATH; "" when neither.
std::string findGnuplot();
// The path to log for a plot: the one that will be started, or "gnuplot" when none is found.
std::string gnuplotPathForLog(const std::string& found);

class GnuplotPipe {
 public:
  // Starts the program at path from an argument vector (no shell). When it
  // cannot be started, writes "Error: Gnuplot not found!" to standard error
  // and holds no stream.
  explicit GnuplotPipe(const std::string& path);
  // Writes "exit", closes the pipe and waits for gnuplot to end.
  ~GnuplotPipe();
  GnuplotPipe(const GnuplotPipe&) = delete;
  GnuplotPipe& operator=(const GnuplotPipe&) = delete;

  // Writes the command and a line end and flushes at once.
  void send(std::string_view command);

 private:
  platform::ChildProcess child_;
  FILE* stream_ = nullptr;
};

}  // namespace plotgen
