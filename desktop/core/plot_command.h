// The plot program's command lines: the fixed one of the main window's plot
// button and the one Replot builds from the plot window's choices. Each is made
// as one text and then split at runs of blanks into the program and its 20
// arguments; no shell is involved.
#pragma once

#include <string>
#include <vector>

// The fixed line of the first plot: Vantor, or Ombrel after an HDF scan.
std::string fixedPlotCommandLine(bool isHdf);

// What Replot sends, as taken from the plot window's controls.
struct ReplotArguments {
  bool isHdf = false;
  int plotFileCount = 0;  // endFile
  int startProfile = 0;
  int endProfile = 10000;
  std::string startTime;  // 14-digit stamps
  std::string endTime;
  bool numberDensity = false;
  std::string xMin, xMax, yMin, yMax;  // the axis fields as typed
  std::string exponent;                // xMaxEnum's text, used with number density
  bool median = true;
  bool quartiles = false;
  bool percentiles = false;
  bool hideCurtainGrid = false;
  bool hideProfileGrid = false;
};

// The Replot line. The axis fields are converted as atoi does; x minimum below 0
// is sent as 0, altitude minimum below 100 as 100; with number density the
// exponent text follows the x maximum directly.
std::string replotCommandLine(const ReplotArguments& arguments);

// The program name and its arguments: the line split at runs of blanks.
std::vector<std::string> splitCommandLine(const std::string& commandLine);
