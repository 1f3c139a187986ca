// Reading the plot program's log "_CErr_.txt": its progress lines begin "OK",
// its failure lines "ERROR".
#pragma once

#include <string>

struct PlotLogReading {
  bool opened = false;    // the log could be read
  std::string message;    // "Plotting...\n" for the last OK line, then the ERROR lines after it
  bool sawError = false;  // an ERROR line was met
};

// Reads the log line by line, whole lines of any length: an "OK" line replaces
// the gathered message by "Plotting...\n", an "ERROR" line is appended with a
// line end, anything else (the closing "Ok. End:" line, empty lines) is skipped.
PlotLogReading readPlotLog(const std::string& path);

// What the log says of a run.
enum class PlotLogVerdict {
  LaunchFailed,  // no log could be read, or it holds too little
  ErrorsLogged,  // it holds ERROR lines
  Passed,
};

PlotLogVerdict judgePlotLog(const PlotLogReading& reading);
