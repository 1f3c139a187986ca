// The main window's plot button once it has decided to plot anew: the plot list
// for the scanned file, the old outputs deleted, one run of the fixed command
// line.
#pragma once

#include <functional>
#include <string>

struct PlotImages;
struct SharedState;

// Finds the plot program of the fixed command line first (Ombrel's when
// `isHdf`, else Vantor's); then creates the Data folder of the state's start
// folder, calls `showNotice` (the wait notice is due), writes the plot list
// holding `path` (PlotFiles emptied), deletes the old log and images and runs
// the program. A run that fails in any way (the program not found or not
// startable, its log, its images) is reported in its box and changes nothing:
// the list file, the log, the images, PlotFiles and PlotFileCount stay as they
// were, so the plots on screen can still be saved. After a successful run
// PlotFiles holds `path` and PlottedFile is `path`, the file the plot window
// then shows, whatever is scanned next, and `*images` holds the decoded images.
// Returns true when they may be shown.
bool runFirstPlot(SharedState& state, const std::string& path, bool isHdf, const std::function<void()>& showNotice,
                  PlotImages* images);
