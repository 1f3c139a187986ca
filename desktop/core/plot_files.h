// Files of the plot protocol under the start folder: the plot list
// "Data/ANY.txt", the plot log and the two images.
#pragma once

#include <string>

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

// Shows the box that refuses a path holding a line break.
void refuseLineBreakPath(const std::string& caption);
