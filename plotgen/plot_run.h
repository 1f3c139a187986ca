// The state of one plot run: the converted arguments, the three data files and
// the profile selection.
#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/line_window.h"
#include "plotgen/plot_globals.h"

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
// large pieces. Writers ask for room at the buffer's end, write their bytes
// there and commit the position after the last one.
class DataFile {
 public:
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
  // Writes what is left and closes the file; false when any write failed.
  bool close();

 private:
  static constexpr size_t BufferSize = 1 << 20;
  void makeRoom(size_t n);
  // Hands the buffer to the file.
  void flush();
  std::ofstream stream_;
  std::unique_ptr<char[]> buffer_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

// The data lines of one profile block: one row per data line, one text cell
// per data column. The cells point into the file's lines.
struct ProfileTable {
  size_t columns = 0;
  std::vector<std::string_view> cells;  // row after row
  size_t rows() const { return columns ? cells.size() / columns : 0; }
  std::string_view cell(size_t row, size_t column) const { return cells[row * columns + column]; }
};

// The curtain cells of one profile's rows ("alt\tvalue\t\n", "alt\t0\t\n"
// or "0\t0\t\n" each), judged once and written under both of its stamps.
struct CurtainCells {
  std::vector<char> text;     // grows only; the first `used` bytes hold the rows
  size_t used = 0;
  std::vector<size_t> ends;  // end of each row's piece in text
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
  // The lines of the file being read; its buffer is reused from file to file.
  LineWindow lines;
  // Reused from profile to profile, so that no memory is allocated per profile.
  ProfileTable table;
  CurtainCells curtainCells;
  // The altitude bins met so far by index, for indexes below BinCacheSize;
  // points into AltitudeBins, which is not cleared during a run.
  static constexpr long long BinCacheSize = 1 << 16;
  std::vector<BinValues*> binCache;
};

}  // namespace plotgen
