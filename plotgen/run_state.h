// The state of one run of the plot generator, all of it: the converted
// arguments, the plot log, the list file's entries, the time window, the
// profile stamps, the altitude bins, the three data files, the file being
// read and the profile selection. Nothing of a run lives outside it, so two
// runs in one process do not see each other.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/altitude_bins.h"
#include "plotgen/data_file.h"
#include "plotgen/gnuplot_pipe.h"
#include "plotgen/line_window.h"
#include "plotgen/plot_log.h"

namespace plotgen {

// The 20 converted command-line arguments.
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
  int hideCurtainGrid = 0;  // 0 draws the curtain plot's grid
  int hideProfileGrid = 0;  // 0 draws the profile plot's grid
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

// One run. A run takes a RunState of its own, made for it; the state's end
// releases everything the run held (the log's stream, the bins' memory).
struct RunState {
  RunState() = default;
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;

  PlotArguments args;
  // The plot log "_CErr_.txt".
  PlotLog ErrorLog;
  // How long a gnuplot may run on after its script was sent.
  long long gnuplotTimeLimitMs = kGnuplotTimeLimitMs;
  // Entries of the list file, in file order.
  std::vector<std::string> DataFileList;
  // The time window as the numbers YYYYMMDD and hhmmss; 0 until set.
  int32_t WindowStartDate = 0;
  int32_t WindowStartTime = 0;
  int32_t WindowEndDate = 0;
  int32_t WindowEndTime = 0;
  // Start, end and mean stamp of every profile read, in reading order.
  std::vector<std::string> ProfileStartStamps;
  std::vector<std::string> ProfileEndStamps;
  std::vector<std::string> ProfileMeanStamps;
  // Values per 100 m altitude bin, with the memory they take.
  AltitudeBinTable AltitudeBins;

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
  // The altitude bins met so far by index, for indexes below kBinCacheSize;
  // points into AltitudeBins, which keeps its bins for the whole run.
  static constexpr long long kBinCacheSize = 1 << 16;
  std::vector<BinValues*> binCache;
  // The altitude cell of each row of the profile before and its bin: the
  // profiles of a file mostly share one altitude grid, whose bins are then
  // worked out once. Cells of more than 16 bytes are not kept.
  struct RowAltitude {
    char text[16];
    size_t size = SIZE_MAX;  // nothing kept yet
    long long bin = -1;
  };
  std::vector<RowAltitude> rowAltitudes;
  int rowAltitudesLower = 0;          // the altLower and binCount the bins
  long long rowAltitudesBinCount = 0;  // in rowAltitudes were worked out for
};

}  // namespace plotgen
