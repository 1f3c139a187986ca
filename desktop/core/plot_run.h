// One run of the plot program: start it hidden in the start folder, wait for it,
// read its log and judge the run. Shared by the main window's plot button and
// the plot window's Replot.
#pragma once

#include <string>

#include "platform/process.h"

struct PlotFilesBackup;
struct SharedState;

// What decides, after the log, that there are images to show.
enum class ImageRule {
  BothMustExist,   // the first plot: the old images were deleted before the run
  OneMustChange,   // Replot: the old images stay, so at least one must be new
};

// The caller's verdict texts. The errors-logged box shows
// errorsLoggedHead + the log's message + errorsLoggedTail.
struct PlotRunTexts {
  std::string launchFailed;
  std::string errorsLoggedHead;
  std::string errorsLoggedTail;
  std::string imagesMissing;  // BothMustExist only
};

// The texts of the main window's plot button for the file `path`.
PlotRunTexts firstPlotTexts(const std::string& path);
// The texts of Replot for `fileCount` listed files.
PlotRunTexts replotTexts(int fileCount);

// The start of the command line's program (split at blanks) in the start
// folder `startDir`.
platform::StartRequest plotStartRequest(const std::string& startDir, const std::string& commandLine);

// Whether the launcher finds the command line's program where the run will
// start it (in `startDir`). When it does not, shows the box of a program that
// cannot be started (file not found) and returns false, so the caller can stop
// before it has changed anything.
bool findPlotProgram(const std::string& startDir, const std::string& commandLine);

// Runs the command line (program and arguments split at blanks) in the state's
// start folder and waits for it up to the state's PlotTimeoutMs. Sets the
// state's PlotsReady false first; shows one error box and returns false on any
// failure; returns true when the images may be loaded. When the program cannot
// be started and `undoIfNotStarted` is given, what it holds is put back before
// the box is shown.
bool runPlotProgram(SharedState& state, const std::string& commandLine, const PlotRunTexts& texts, ImageRule rule,
                    const PlotFilesBackup* undoIfNotStarted = nullptr);
