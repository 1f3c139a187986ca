// Process-wide state the two windows share: the data file being plotted, the
// plot list and its time window, and whether the plot window holds the plots of
// the current scan.
#pragma once

#include <string>
#include <vector>

#include "scanner/scanner.h"

// The folder current when Skelda started: the folder of Data, hdf, the plot
// log and the images; handed to every scan.
extern std::string StartDir;
// What the last scan left: its report's path and whether it scanned an HDF file.
extern std::string ReportPath;
extern bool IsHdfFile;

// The file of the last scan that passed in the main window: its path as typed
// or chosen, its file-name part, and whether it is a GEOMS HDF file (the
// scanner's IsHdfFile of that scan). The plot button plots this file; the plot
// program, the date rules and the suggested image names follow it, not a
// later scan that failed.
extern std::string DataFilePath;
extern std::string DataFileName;
extern bool DataFileIsHdf;

// The plot window holds the plots of the current scan; a further plot request
// only shows the window again.
extern bool PlotsReady;

// The data files being plotted, in order; mirrors the lines of Data/ANY.txt.
extern std::vector<std::string> PlotFiles;
// Entries of PlotFiles as last recorded; 0: the list has not been seeded yet.
extern int PlotFileCount;
// The time window passed to the plot program, 14 digits YYYYMMDDhhmmss each.
extern std::string PlotStartStamp;
extern std::string PlotEndStamp;

// How long a plot run waits for the plot program, in milliseconds.
extern long long PlotTimeoutMs;

// The program's title: the caption of its plain information and exception boxes.
inline constexpr char kApplicationTitle[] = "Skelda";
