// The profile plot's altitude axis as the real gnuplot draws it: the profile
// script is run with gnuplot's text terminal in place of the JPEG one, and
// the tick labels of the altitude axis are read back from the text picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process.h"
#include "plotgen/plot_scripts.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using plotgen::ProfilePlotSettings;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

using Labels = std::vector<std::string>;

bool isNumberText(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e')) return false;
  return true;
}

// The tick labels of the left axis, top to bottom: on each line of the text
// picture, the number just before the first border character (a '+' or '|'
// after a blank); lines without one hold no label.
Labels leftAxisLabels(const std::string& picture) {
  Labels labels;
  for (const std::string& line : testing_support::splitLines(picture)) {
    size_t border = 1;
    while (border < line.size() && !((line[border] == '+' || line[border] == '|') && line[border - 1] == ' ')) ++border;
    if (border >= line.size()) continue;
    const size_t end = line.find_last_not_of(' ', border - 1);
    if (end == std::string::npos) continue;
    const size_t blank = line.find_last_of(' ', end);
    const size_t start = blank == std::string::npos ? 0 : blank + 1;
    const std::string token = line.substr(start, end + 1 - start);
    if (isNumberText(token)) labels.push_back(token);
  }
  return labels;
}

// Runs the profile script for the altitude limits (metres) through gnuplot's
// text terminal in `folder`, on data files of a few points and a median line,
// and returns the labels of the altitude axis.
Labels altitudeLabels(const std::string& folder, int lower, int upper) {
  std::string profile, median;
  for (int altitude = lower; altitude <= upper; altitude += (upper - lower) / 4) {
    profile += std::to_string(altitude) + ".0\t850.00\t1.0000e+18\t1.0000e+16\t40\t4\t\n";
    median += std::to_string(altitude) + "\t40.5\t40\t41\t39\t42\n";
  }
  EXPECT_TRUE(writeFile(folder + "/profile_data.dat", profile));
  EXPECT_TRUE(writeFile(folder + "/median_data.dat", median));

  ProfilePlotSettings settings;
  settings.plottedProfileCount = 3;
  settings.altLowerLimit = std::to_string(lower);
  settings.altUpperLimit = std::to_string(upper);
  settings.xLowerLimit = "0";
  settings.xUpperLimit = "300";
  settings.isMedianLine = true;
  std::string script;
  for (const std::string& command : plotgen::profileScript(settings, 0)) {
    if (command.rfind("set output ", 0) == 0)
      script += "set output \"axis.txt\"\n";
    else if (command.rfind("set term ", 0) == 0)
      script += "set terminal dumb size 60, 60\n";
    else
      script += command + "\n";
  }
  EXPECT_TRUE(writeFile(folder + "/axis.gp", script + "exit\n"));

  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  if (!launcher.start(platform::StartRequest{"gnuplot", {"axis.gp"}, folder, false}, &child, &error)) {
    ADD_FAILURE() << "gnuplot did not start: " << error;
    return {};
  }
  int status = -1;
  EXPECT_EQ(launcher.wait(&child, 60000, &status), platform::WaitOutcome::Exited);
  EXPECT_EQ(status, 0);
  const std::string picture = readFile(folder + "/axis.txt");
  Labels labels = leftAxisLabels(picture);
  if (labels.empty()) ADD_FAILURE() << picture;
  return labels;
}

// Every tick label of the altitude axis gives its altitude in km, with the
// decimals the step needs, for any altitude limits.
TEST(PlotgenProfileAxis, TickLabelsGiveTheAltitudeInKilometres) {
  if (platform::findProgramOnPath("gnuplot").empty()) GTEST_SKIP() << "no gnuplot on PATH";
  testing_support::TempDir dir;
  EXPECT_EQ(altitudeLabels(dir.path(), 0, 1000), (Labels{"1", "0.8", "0.6", "0.4", "0.2", "0"}));
  EXPECT_EQ(altitudeLabels(dir.path(), 0, 4000), (Labels{"4", "3.5", "3", "2.5", "2", "1.5", "1", "0.5", "0"}));
  EXPECT_EQ(altitudeLabels(dir.path(), 100, 12000), (Labels{"12", "10", "8", "6", "4", "2"}));
  EXPECT_EQ(altitudeLabels(dir.path(), 2000, 2600), (Labels{"2.6", "2.5", "2.4", "2.3", "2.2", "2.1", "2"}));
}

// The limits go to gnuplot in kilometres, exactly.
TEST(PlotgenProfileAxis, LimitsInKilometres) {
  const struct {
    const char* metres;
    const char* kilometres;
  } cases[] = {{"0", "0"},       {"100", "0.1"},   {"12000", "12"},   {"2500", "2.5"},
               {"2600", "2.6"},  {"1234", "1.234"}, {"1050", "1.05"}, {"20000", "20"},
               {"7", "0.007"},   {"2147483647", "2147483.647"}, {"-1500", "-1.5"}};
  for (const auto& c : cases) EXPECT_EQ(plotgen::kilometres(c.metres), c.kilometres) << c.metres;
}

}  // namespace
