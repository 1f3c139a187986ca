// Appending a further data file to the plot list.
#pragma once

#include <string>

struct SharedState;

struct AppendOutcome {
  bool appended = false;
  std::string newDateText;  // the appended file's date, YYYYMMDD
};

// Adds `chosenPath` to the state's Data/ANY.txt and then to its PlotFiles,
// unless it holds a line break, its date lies before the end date of the last
// listed file, or it is the last listed file again (compared upper-cased). Each
// refusal, and a list file that cannot be appended to, is shown in a box and
// changes nothing.
AppendOutcome appendPlotFile(SharedState& state, const std::string& chosenPath);
