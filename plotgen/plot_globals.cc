#include "plotgen/plot_globals.h"

namespace plotgen {

std::vector<std::string> DataFileList;
std::vector<std::string> ProfileStartStamps;
std::vector<std::string> ProfileEndStamps;
std::vector<std::string> ProfileMeanStamps;
std::map<int64_t, BinValues> AltitudeBins;
std::ofstream ErrorLog;
int HideCurtainGrid = 0;
int HideProfileGrid = 0;
int32_t WindowStartDate = 0;
int32_t WindowStartTime = 0;
int32_t WindowEndDate = 0;
int32_t WindowEndTime = 0;

void initPlotGeneratorGlobals() {
  DataFileList.clear();
  ProfileStartStamps.clear();
  ProfileEndStamps.clear();
  ProfileMeanStamps.clear();
  AltitudeBins.clear();
  if (ErrorLog.is_open()) ErrorLog.close();
  ErrorLog.clear();
  HideCurtainGrid = 0;
  HideProfileGrid = 0;
  WindowStartDate = WindowStartTime = WindowEndDate = WindowEndTime = 0;
}

void freePlotGeneratorGlobals() {
  if (ErrorLog.is_open()) ErrorLog.close();
  ErrorLog.clear();
  AltitudeBins.clear();
  ProfileMeanStamps.clear();
  ProfileEndStamps.clear();
  ProfileStartStamps.clear();
  DataFileList.clear();
}

namespace {

// A text for the log with its control characters shown as '?'.
std::string visible(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return out;
}

}  // namespace

void logLine(std::string_view text) {
  if (!ErrorLog.is_open()) return;
  const std::string line = visible(text);
  ErrorLog.write(line.data(), static_cast<std::streamsize>(line.size()));
  ErrorLog.put('\n');
  ErrorLog.flush();
}

}  // namespace plotgen
