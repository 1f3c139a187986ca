#include "desktop/core/plot_log.h"

#include <fstream>

#include "platform/text.h"

PlotLogReading readPlotLog(const std::string& path) {
  PlotLogReading reading;
  std::ifstream log(path, std::ios::binary);
  if (!log) return reading;
  reading.opened = true;
  std::string line;
  for (;;) {
    bool ended = platform::readLine(log, &line);
    if (!ended && line.empty()) break;
    if (line.compare(0, 2, "OK") == 0) {
      reading.message = "Plotting...\n";
    } else if (line.compare(0, 5, "ERROR") == 0) {
      reading.message += line;
      if (ended) reading.message += "\n";
      reading.sawError = true;
    }
    if (!ended) break;
  }
  return reading;
}

PlotLogVerdict judgePlotLog(const PlotLogReading& reading) {
  if (!reading.opened || reading.message.size() < 10) return PlotLogVerdict::LaunchFailed;
  if (reading.sawError) return PlotLogVerdict::ErrorsLogged;
  return PlotLogVerdict::Passed;
}
