// Process-wide state of the plot generator: the list of data files, the
// profile stamps read so far, the altitude bins, the time window and the plot
// log. Built before a run and released after it.
#pragma once

#include <cstdint>
#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/bin_memory.h"

namespace plotgen {

// Entries of the list file, in file order.
extern std::vector<std::string> DataFileList;
// Start, end and mean stamp of every profile read, in reading order.
extern std::vector<std::string> ProfileStartStamps;
extern std::vector<std::string> ProfileEndStamps;
extern std::vector<std::string> ProfileMeanStamps;
// Values per 100 m altitude bin, keyed by bin index; only bins that received
// a value exist, so wide altitude limits cost nothing. A bin grows in chunks,
// without moving the values it already holds, taken from the bins' own
// memory blocks.
using BinValues = std::deque<double, BinAllocator<double>>;
extern std::map<int64_t, BinValues> AltitudeBins;
// The plot log "_CErr_.txt".
extern std::ofstream ErrorLog;

// Arguments 19 and 20: 0 draws the grid of the curtain and the profile plot.
extern int HideCurtainGrid;
extern int HideProfileGrid;

// The time window as the numbers YYYYMMDD and hhmmss; 0 until set.
extern int32_t WindowStartDate;
extern int32_t WindowStartTime;
extern int32_t WindowEndDate;
extern int32_t WindowEndTime;

void initPlotGeneratorGlobals();
void freePlotGeneratorGlobals();

// Writes one log line and its line end, and flushes it so that nothing is
// lost when the run ends abnormally. Every control character of the text, a
// line end among them, is written as '?': a path, an argument or a file's
// text in a log line can neither end it early nor start a line of its own
// (the front end takes every line that begins with ERROR for a failure).
void logLine(std::string_view text);

}  // namespace plotgen
