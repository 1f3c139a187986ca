// Files of the plot protocol under the start folder: the plot list
// "Data/ANY.txt", the plot log and the two images.
#pragma once

#include <string>
#include <vector>

inline constexpr char kPlotLogName[] = "_CErr_.txt";
inline constexpr char kCurtainImageName[] = "curtain_plot.jpg";
inline constexpr char kProfileImageName[] = "profile_plot.jpg";

// StartDir + "/" + name (the name alone when StartDir is empty).
std::string startDirFile(const std::string& name);

// The plot list, StartDir + "/Data/ANY.txt".
std::string plotListPath();

// Makes the current folder StartDir when it is another (the HDF verifier leaves
// it elsewhere).
void enterStartDir();

// True when the text holds a line break: such a path would add entries to the
// plot list.
bool hasLineBreak(const std::string& text);

// Creates StartDir/Data when missing; on failure shows its box and returns false.
bool ensureDataFolder();

// Rewrites the plot list with the one path; on failure shows its box (naming
// `path`) and returns false. On success PlotFiles is emptied and PlotFileCount 0.
bool writeFirstPlotList(const std::string& path);

// Deletes the plot log, and the two images too when `images` (missing files are
// no error).
void removePlotOutputs(bool images);

// What the main window's plot button changes before the plot program starts:
// the plot list, PlotFiles and PlotFileCount, the plot log and the two images.
// Kept so that a run whose program could not be started leaves them as they
// were.
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
PlotFilesBackup keepPlotFiles();
// Puts it back: each file with its kept bytes, or removed when it did not exist.
void restorePlotFiles(const PlotFilesBackup& backup);

// Shows the box that refuses a path holding a line break.
void refuseLineBreakPath(const std::string& caption);
