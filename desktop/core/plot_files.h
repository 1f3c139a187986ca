// Files of the plot protocol under the start folder: the plot list
// "Data/ANY.txt", the plot log and the two images.
#pragma once

#include <string>
#include <vector>

struct SharedState;

inline constexpr char kPlotLogName[] = "_CErr_.txt";
inline constexpr char kCurtainImageName[] = "curtain_plot.jpg";
inline constexpr char kProfileImageName[] = "profile_plot.jpg";

// startDir + "/" + name (the name alone when startDir is empty).
std::string startDirFile(const std::string& startDir, const std::string& name);

// The plot list, startDir + "/Data/ANY.txt".
std::string plotListPath(const std::string& startDir);

// Makes the current folder startDir when it is another (the HDF verifier
// leaves it elsewhere).
void enterStartDir(const std::string& startDir);

// True when the text holds a line break: such a path would add entries to the
// plot list.
bool hasLineBreak(const std::string& text);

// Creates startDir/Data when missing; on failure shows its box and returns false.
bool ensureDataFolder(const std::string& startDir);

// Rewrites the plot list of the state's start folder with the one path; on
// failure shows its box (naming `path`) and returns false. On success the
// state's PlotFiles is emptied and its PlotFileCount 0.
bool writeFirstPlotList(SharedState& state, const std::string& path);

// Deletes the plot log of startDir, and the two images too when `images`
// (missing files are no error).
void removePlotOutputs(const std::string& startDir, bool images);

// What a plot run (the plot button's or Replot's) may change: the plot list,
// PlotFiles and PlotFileCount, the plot log and the two images. Kept before
// the run changes anything, so that a run that fails leaves them as they were.
struct PlotFilesBackup {
  struct KeptFile {
    std::string path;
    bool existed = false;
    std::string bytes;
  };
  std::vector<KeptFile> files;
  std::vector<std::string> plotFiles;
  int plotFileCount = 0;
};

// Reads what the plot button is about to change.
PlotFilesBackup keepPlotFiles(const SharedState& state);
// Puts it back: each file with its kept bytes, or removed when it did not
// exist, and the state's plot list.
void restorePlotFiles(SharedState& state, const PlotFilesBackup& backup);

// Shows the box that refuses a path holding a line break.
void refuseLineBreakPath(const std::string& caption);
