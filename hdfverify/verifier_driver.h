// The verifier's driver: command line, the six steps in order, the report.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace hdfverify {

class GeomsChecker;

// How long the checks of one file may run before they are stopped: reading and
// checking a file of some hundred megabytes takes seconds, so only a library
// that loops on a damaged file comes near it.
inline constexpr long long kCheckTimeLimitMs = 10 * 60 * 1000;

struct VerifierOptions {
  long long timeLimitMs = kCheckTimeLimitMs;
  // For tests: called in the checking process before each step (1 to 6), so a
  // test can make that process crash, hang or end early.
  std::function<void(int step)> beforeStep;
  // For tests: called in this process with each message that the checking
  // process hands over, as it arrives.
  std::function<void(const std::string& message)> onMessage;
};

// Runs the verifier on its command line (args[0] is the program's own name) and
// writes the report, which takes its name only when it is whole (a report that
// cannot be written is said in one line on standard error); returns the exit
// status, always 0. The steps, which call
// the HDF4 library, run in a child process that hands over its messages as it
// makes them, so a crash or an endless loop of the library on a damaged file
// still leaves a finished report: the messages so far, a line that says how
// the checks ended, and the failure verdict.
int runVerifier(const std::vector<std::string>& args, const VerifierOptions& options = {});

// The same checks in this process, on the checker given and without a time
// limit: the report's messages in order (the start message, the steps'
// messages, the final message with its marker line, as writeReport takes
// them) go to *messages; returns the verdict, 0 passed, 1 failed. Calls
// options.beforeStep and options.onMessage as runVerifier does. The file
// that the first step opened stays open on the checker until its
// closeHdfFile or its end.
int checkFileInProcess(GeomsChecker& checker, const std::string& hdfPath, const std::string& templatePath,
                       std::vector<std::string>* messages, const VerifierOptions& options = {});

// The report's name for an HDF4 path: the path followed by "_.err".
std::string reportPathFor(const std::string& hdfPath);

// The report written after a wrong argument count, in the working folder.
inline constexpr const char* kUsageReportName = "Quessel_Failed.err";

}  // namespace hdfverify
