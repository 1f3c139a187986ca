#include "tests/plotgen/vantor_harness.h"

#include <gtest/gtest.h>

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

}  // namespace plotgen_tests
