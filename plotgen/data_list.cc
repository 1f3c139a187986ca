#include "plotgen/data_list.h"

#include <fstream>

#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/line_window.h"

namespace plotgen {
namespace {

// The stamp pieces as numbers: the date YYYYMMDD and the time hhmmss.
void stampToWindow(std::string_view stamp, int32_t* date, int32_t* time) {
  auto field = [&](size_t at, size_t length) { return toInt(at < stamp.size() ? stamp.substr(at, length) : ""); };
  *date = toInt(platform::formatText("%04d%02d%02d", field(0, 4), field(4, 2), field(6, 2)));
  *time = toInt(platform::formatText("%02d%02d%02d", field(8, 2), field(10, 2), field(12, 2)));
}

}  // namespace

std::vector<std::string> readAllLines(std::istream& in) {
  std::vector<std::string> lines;
  std::string line;
  for (;;) {
    bool ended = platform::readLine(in, &line);
    if (!ended) {
      std::string_view rest = line;
      if (keepsLastLine(&rest)) lines.emplace_back(rest);
      break;
    }
    lines.push_back(line);
  }
  return lines;
}

bool readDataList(RunState& run, std::string_view location) {
  if (location == "ANY" || location == "HALK" || location == "ZIB" || location == "XOV") {
    std::string name = "Data/" + std::string(location) + ".txt";
    std::ifstream in;
    if (!platform::openInputFile(in, name)) {
      run.ErrorLog.logLine("ERROR: failed to open file: " + name + " ");
      return false;
    }
    std::vector<std::string> entries = readAllLines(in);
    run.DataFileList.insert(run.DataFileList.end(), entries.begin(), entries.end());
    return true;
  }
  if (location == "Qiru") {
    run.ErrorLog.logLine("ERROR: Qiru not yet implemented, invalid location");
    return false;
  }
  if (location == "YUNT") {
    run.ErrorLog.logLine("ERROR: YUNT not yet implemented, invalid location");
    return false;
  }
  run.ErrorLog.logLine("ERROR: invalid location input: " + std::string(location));
  return false;
}

void setTimeWindow(RunState& run, bool isTimeRange, std::string_view startTime, std::string_view endTime) {
  if (!isTimeRange) return;
  stampToWindow(startTime, &run.WindowStartDate, &run.WindowStartTime);
  stampToWindow(endTime, &run.WindowEndDate, &run.WindowEndTime);
}

}  // namespace plotgen
