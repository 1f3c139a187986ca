// The verifier's driver: command line, the six steps in order, the report.
#pragma once

#include <string>
#include <vector>

namespace hdfverify {

// Runs the verifier on its command line (args[0] is the program's own name) and
// writes the report; returns the exit status, always 0.
int runVerifier(const std::vector<std::string>& args);

// The report's name for an HDF4 path: the path followed by "_.err".
std::string reportPathFor(const std::string& hdfPath);

// The report written after a wrong argument count, in the working folder.
inline constexpr const char* kUsageReportName = "Quessel_Failed.err";

}  // namespace hdfverify
