// Running the plot generator in a folder of its own, with a stand-in gnuplot
// that keeps what it is sent.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"
#include "plotgen/run_state.h"
#include "tests/support/text_samples.h"

namespace plotgen_tests {

struct VantorResult {
  int status = -1;
  std::string errorOutput;  // what went to the standard error stream
};

// The fixed argument line of the plot button.
std::vector<std::string> plotButtonArguments();
// Splits a line of arguments at blanks.
std::vector<std::string> words(const std::string& line);

// Runs the plot generator in `folder` (in this process) with the arguments after the program name.
VantorResult runVantorIn(const std::string& folder, const std::vector<std::string>& args);
// The same with the caller's state for this run.
VantorResult runVantorIn(const std::string& folder, const std::vector<std::string>& args, plotgen::RunState& run);
// The same without taking the standard error stream; the exit status.
int runPlotGeneratorIn(const std::string& folder, const std::vector<std::string>& args, plotgen::RunState& run);

// Starts the built program Vantor in `folder` with the arguments; its standard
// error goes to `errorFile`.
bool startVantorProgram(const std::string& folder, const std::vector<std::string>& args, const std::string& errorFile,
                        platform::ChildProcess* child);
// Runs the built program Vantor in `folder` to its end, at most timeoutMs: its
// exit status, -1 when it had to be stopped, -100 - errno when it could not be
// started. What it wrote to standard error goes to *errorOutput when given.
int runVantorProgram(const std::string& folder, const std::vector<std::string>& args, long long timeoutMs,
                     std::string* errorOutput = nullptr);

// A PROFILE file of `profiles` hourly profiles of 2018-04-12, `rows` data lines each.
std::string hourlyProfileFile(int profiles, int rows);

// A shell function for stand-in gnuplots: write_images FILE writes a small
// whole JPEG-looking file (FF D8 ... FF D9) at every name that a "set output"
// command of FILE, a file of gnuplot commands, gives, as gnuplot writes its
// images.
inline constexpr const char* kWriteImagesFunction = R"sh(write_images() {
  sed -n 's/^set output "\(.*\)"$/\1/p' "$1" | while IFS= read -r image; do
    printf '\377\330\377\340stand-in\377\331' > "$image"
  done
}
)sh";

// Puts bin/gnuplot into the folder: a script that stores each input it is
// sent as gnuplot_input_1.txt, gnuplot_input_2.txt, ... and writes the images
// the input names as small whole JPEG-looking files.
void installStandInGnuplot(const std::string& folder);

// Writes Data/ANY.txt (or Data/<location>.txt) with these lines, each ended by lineEnd.
void writeList(const std::string& folder, const std::vector<std::string>& entries, const std::string& lineEnd = "\n",
               const std::string& location = "ANY");

// The log without its first two lines (the start line with the time and the empty line after it);
// "<no start line>" when they are not there.
std::string logAfterStart(const std::string& folder);

// The folder as the program sees it as its current folder.
std::string realPath(const std::string& folder);

// A data line of the 14 PROFILE columns with the six cells the plots use.
std::string dataLine(const std::string& alt, const std::string& o3nd, const std::string& o3ndUncert,
                     const std::string& o3mr, const std::string& o3mrUncert, const std::string& press);

// A block with these stamps ("YYYY-MM-DD, hh:mm:ss") and data lines.
testing_support::ProfileBlock block(const std::string& start, const std::string& end, const std::string& mean,
                                    const std::vector<std::string>& rows);

}  // namespace plotgen_tests
