#include "tests/plotgen/vantor_harness.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include "plotgen/plot_generator.h"
#include "tests/support/platform_doubles.h"

namespace plotgen_tests {

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  std::string word;
  while (in >> word) out.push_back(word);
  return out;
}

std::vector<std::string> plotButtonArguments() {
  return words("ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 100 12000 true true false false 0 0");
}

VantorResult runVantorIn(const std::string& folder, const std::vector<std::string>& args) {
  plotgen::RunState run;
  return runVantorIn(folder, args, run);
}

VantorResult runVantorIn(const std::string& folder, const std::vector<std::string>& args, plotgen::RunState& run) {
  VantorResult result;
  testing::internal::CaptureStderr();
  result.status = runPlotGeneratorIn(folder, args, run);
  result.errorOutput = testing::internal::GetCapturedStderr();
  return result;
}

int runPlotGeneratorIn(const std::string& folder, const std::vector<std::string>& args, plotgen::RunState& run) {
  std::signal(SIGPIPE, SIG_IGN);
  std::vector<const char*> argv;
  argv.push_back("Vantor");
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  testing_support::CurrentDirScope here(folder);
  return plotgen::runPlotGenerator(run, static_cast<int>(args.size()) + 1, argv.data());
}

void installStandInGnuplot(const std::string& folder) {
  std::filesystem::create_directories(folder + "/bin");
  ASSERT_TRUE(testing_support::writeScript(folder + "/bin/gnuplot", std::string(kWriteImagesFunction) +
                                                                        "i=1\n"
                                                                        "while [ -e gnuplot_input_$i.txt ]; do i=$((i+1)); done\n"
                                                                        "cat > gnuplot_input_$i.txt\n"
                                                                        "write_images gnuplot_input_$i.txt\n"));
}

void writeList(const std::string& folder, const std::vector<std::string>& entries, const std::string& lineEnd,
               const std::string& location) {
  std::filesystem::create_directories(folder + "/Data");
  std::string text;
  for (const std::string& entry : entries) text += entry + lineEnd;
  ASSERT_TRUE(testing_support::writeFile(folder + "/Data/" + location + ".txt", text));
}

std::string logAfterStart(const std::string& folder) {
  std::string log = testing_support::readFile(folder + "/_CErr_.txt");
  if (log.rfind("OK. Starting: ", 0) != 0) return "<no start line>";
  size_t first = log.find('\n');
  if (first == std::string::npos || log.compare(first, 2, "\n\n") != 0) return "<no start line>";
  return log.substr(first + 2);
}

std::string realPath(const std::string& folder) { return std::filesystem::canonical(folder).string(); }

std::string dataLine(const std::string& alt, const std::string& o3nd, const std::string& o3ndUncert,
                     const std::string& o3mr, const std::string& o3mrUncert, const std::string& press) {
  return alt + ", " + o3nd + ", " + o3ndUncert + ", 150.0, 5.0, 1.0, " + o3mr + ", " + o3mrUncert + ", " + press +
         ", 1.00, 280.00, 0.50, 2.0000e+25, 1.0000e+23";
}

testing_support::ProfileBlock block(const std::string& start, const std::string& end, const std::string& mean,
                                    const std::vector<std::string>& rows) {
  testing_support::ProfileBlock b;
  b.start = start;
  b.end = end;
  b.mean = mean;
  b.dataRows = rows;
  return b;
}

bool startVantorProgram(const std::string& folder, const std::vector<std::string>& args, const std::string& errorFile,
                        platform::ChildProcess* child) {
  int saved = ::dup(2);
  int fd = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ::dup2(fd, 2);
  ::close(fd);
  platform::SystemProcessLauncher launcher;
  int error = 0;
  const std::string program = std::string(PARVIX_BIN_DIR) + "/Vantor";
  bool started = launcher.start(platform::StartRequest{program, args, folder, false}, child, &error);
  ::dup2(saved, 2);
  ::close(saved);
  if (!started) child->pid = -100 - error;
  return started;
}

int runVantorProgram(const std::string& folder, const std::vector<std::string>& args, long long timeoutMs,
                     std::string* errorOutput) {
  testing_support::TempDir errors;
  platform::ChildProcess child;
  if (!startVantorProgram(folder, args, errors.file("stderr.txt"), &child)) return child.pid;
  platform::SystemProcessLauncher launcher;
  int status = -1;
  if (launcher.wait(&child, timeoutMs, &status) != platform::WaitOutcome::Exited) {
    launcher.terminate(&child);
    status = -1;
  }
  if (errorOutput) *errorOutput = testing_support::readFile(errors.file("stderr.txt"));
  return status;
}

std::string hourlyProfileFile(int profiles, int rows) {
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < profiles; ++i) {
    std::string hour = (i < 10 ? "0" : "") + std::to_string(i);
    blocks.push_back(testing_support::profileBlock("2018-04-12, " + hour + ":00:00", "2018-04-12, " + hour + ":59:59",
                                                   "2018-04-12, " + hour + ":30:00", rows));
  }
  return testing_support::profileFileText(blocks);
}

}  // namespace plotgen_tests
