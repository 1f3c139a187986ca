// One run of the plot program: start it hidden in the start folder, wait for it,
// read its log and judge the run. Shared by the main window's plot button and
// the plot window's Replot.
#pragma once

#include <string>

#include "desktop/core/jpeg_image.h"
#include "desktop/core/plot_files.h"
#include "platform/process.h"

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

// The two images of a run that passed, decoded.
struct PlotImages {
  RgbImage curtain;
  RgbImage profile;
};

// Whether the launcher finds the command line's program where the run will
// start it (in `startDir`). When it does not, shows the box of a program that
// cannot be started (file not found) and returns false, so the caller can stop
// before it has changed anything.
bool findPlotProgram(const std::string& startDir, const std::string& commandLine);

// Runs the command line (program and arguments split at blanks) in the state's
// start folder and waits for it up to the state's PlotTimeoutMs. Sets the
// state's PlotsReady false first. The run passes when the log (if any) holds
// no errors, the images pass `rule` and both decode; then the decoded images
// are put in `*images` and true is returned. Any other ending (the program
// cannot be started, its log is empty or holds ERROR lines, an image is
// missing, empty or cannot be decoded, also after a time-out) puts back what
// `kept` holds, taken before the caller changed anything for the run, so that
// the images on screen are still the ones in the start folder; then one error
// box is shown and false is returned.
bool runPlotProgram(SharedState& state, const std::string& commandLine, const PlotRunTexts& texts, ImageRule rule,
                    const PlotFilesBackup& kept, PlotImages* images);

// Replot's preparation: changes to the start folder, keeps what a run may
// change and deletes the plot log (the old images stay until the plot program
// overwrites them). Returns what was kept, for runReplot.
PlotFilesBackup prepareReplot(const SharedState& state);

// Replot's run of `commandLine` with its texts (the state's PlotFileCount) and
// ImageRule::OneMustChange. After a run that passed, the state's PlottedFile is
// the first of PlotFiles.
bool runReplot(SharedState& state, const std::string& commandLine, const PlotFilesBackup& kept, PlotImages* images);
