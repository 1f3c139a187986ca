// The list file that names the data files to plot, and the time window.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/run_state.h"

namespace plotgen {

// Reads "Data/<location>.txt" into the run's DataFileList; false after logging an ERROR line.
bool readDataList(RunState& run, std::string_view location);

// Sets the run's four window numbers from two 14-digit stamps when isTimeRange is true.
void setTimeWindow(RunState& run, bool isTimeRange, std::string_view startTime, std::string_view endTime);

// Reads every line of a text stream as platform::readLine reads it; the rest
// after the last line end as keepsLastLine takes it, so a final line end makes
// no extra entry.
std::vector<std::string> readAllLines(std::istream& in);

}  // namespace plotgen
