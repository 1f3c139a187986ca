// What the two windows of Skelda share: the start folder, what the last scan
// left, the data file being plotted, the plot list and its time window, and
// whether the plot window holds the plots of the current scan. The program
// makes one record and hands it to both windows; nothing of it is
// process-wide, so two records (two pairs of windows) never see each other.
#pragma once

#include <string>
#include <vector>

struct SharedState {
  // The folder current when the main window was created: the folder of Data,
  // hdf, the plot log and the images; handed to every scan.
  std::string StartDir;
  // What the last scan left (the scanner's ScanOutputs): its report's path and
  // whether it scanned an HDF file.
  std::string ReportPath;
  bool IsHdfFile = false;

  // The file of the last scan that passed in the main window: its path as typed
  // or chosen, its file-name part, and whether it is a GEOMS HDF file (the
  // scanner's IsHdfFile of that scan). The plot button plots this file; the
  // plot program, the date rules and the suggested image names follow it, not
  // a later scan that failed.
  std::string DataFilePath;
  std::string DataFileName;
  bool DataFileIsHdf = false;

  // The data file the images in the start folder, and so the plot window's
  // plots, were made from (the first of the plotted files): set by a plot run
  // that passed, kept by one that failed, whatever is scanned meanwhile. The
  // Save buttons name their images after it.
  std::string PlottedFile;

  // The plot window holds the plots of the current scan; a further plot
  // request only shows the window again.
  bool PlotsReady = false;

  // The data files being plotted, in order; mirrors the lines of Data/ANY.txt.
  std::vector<std::string> PlotFiles;
  // Entries of PlotFiles as last recorded; 0: the list has not been seeded yet.
  int PlotFileCount = 0;
  // The time window passed to the plot program, 14 digits YYYYMMDDhhmmss each.
  std::string PlotStartStamp;
  std::string PlotEndStamp;

  // How long a plot run waits for the plot program, in milliseconds (20 hours).
  long long PlotTimeoutMs = 72000000;
};

// The program's title: the caption of its plain information and exception boxes.
inline constexpr char kApplicationTitle[] = "Skelda";
