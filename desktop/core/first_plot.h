// The main window's plot button once it has decided to plot anew: the plot list
// for the scanned file, the old outputs deleted, one run of the fixed command
// line.
#pragma once

#include <functional>
#include <string>

struct SharedState;

// Finds the plot program of the fixed command line first (Ombrel's when
// `isHdf`, else Vantor's); then creates the Data folder of the state's start
// folder, calls `showNotice` (the wait notice is due), writes the plot list
// holding `path` (PlotFiles emptied), deletes the old log and images and runs
// the program. A program that is not found, or cannot be started, is reported in
// its box and changes nothing: the list file, the log, the images, PlotFiles and
// PlotFileCount stay as they were. After a successful run PlotFiles holds
// `path`, the file the plot window then shows, whatever is scanned next. Returns
// true when the images may be shown.
bool runFirstPlot(SharedState& state, const std::string& path, bool isHdf, const std::function<void()>& showNotice);
