// The state of one plot run: the converted arguments, the three data files and
// the profile selection.
#pragma once

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/data_list.h"

namespace plotgen {

// The converted command-line arguments (positions 1 to 18; 19 and 20 are process-wide).
struct PlotArguments {
  std::string location;
  int startFile = 0;
  int endFile = 0;
  bool isProfileRange = false;
  bool isTimeRange = false;
  int startProfile = 0;
  int endProfile = 0;
  std::string startTime;
  std::string endTime;
  bool isNumberDensity = false;
  std::string xLowerLimit;
  std::string xUpperLimit;
  std::string altLowerLimit;
  std::string altUpperLimit;
  bool isProfilePlot = false;
  bool isMedianLine = false;
  bool isQuartileLines = false;
  bool isPercentileLines = false;
};

// One output data file with a buffer of its own, so that rows are written in
// large pieces.
class DataFile {
 public:
  bool open(const std::string& name);
  bool isOpen() const { return stream_.is_open(); }
  std::string& buffer() { return buffer_; }
  // Hands the buffer to the file once it has grown large.
  void flushIfFull() {
    if (buffer_.size() >= FlushSize) flush();
  }
  void flush();
  // Writes what is left and closes the file; false when any write failed.
  bool close();

 private:
  static constexpr size_t FlushSize = 1 << 20;
  std::ofstream stream_;
  std::string buffer_;
};

// Selection state over all profiles of the run.
struct SelectionState {
  int runningProfileNumber = 0;  // over all profiles read in this run
  int plottedProfileCount = 0;
  bool previousSelected = false;
  bool noneSelectedYet = true;
  bool stopped = false;
  std::string curtainStartStamp;
  std::string curtainEndStamp;
};

struct PlotRun {
  PlotArguments args;
  int altLower = 0;          // int of altLowerLimit
  long long binCount = 0;    // number of 100 m bins between the altitude limits
  bool collectBins = false;  // a median, quartile or percentile line is drawn
  DataFile curtain;
  DataFile profile;
  DataFile median;
  SelectionState selection;
  // Reused from file to file: the file's bytes and its lines.
  FileText fileText;
  std::vector<std::string_view> fileLines;
};

}  // namespace plotgen
