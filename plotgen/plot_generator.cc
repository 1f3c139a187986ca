#include "plotgen/plot_generator.h"

#include <cstring>
#include <ctime>
#include <exception>
#include <iostream>
#include <string>

#include "platform/support_address.h"
#include "plotgen/arguments.h"
#include "plotgen/data_list.h"
#include "plotgen/gnuplot_pipe.h"
#include "plotgen/plot_data.h"
#include "plotgen/run_state.h"
#include "plotgen/plot_scripts.h"
#include "plotgen/profile_reader.h"

namespace plotgen {
namespace {

PlotArguments convertArguments(const char* const* argv) {
  PlotArguments a;
  a.location = argv[1];
  a.startFile = toInt(argv[2]);
  a.endFile = toInt(argv[3]);
  a.isProfileRange = toBool(argv[4]);
  a.isTimeRange = toBool(argv[5]);
  a.startProfile = toInt(argv[6]);
  a.endProfile = toInt(argv[7]);
  a.startTime = argv[8];
  a.endTime = argv[9];
  a.isNumberDensity = toBool(argv[10]);
  a.xLowerLimit = argv[11];
  a.xUpperLimit = argv[12];
  a.altLowerLimit = argv[13];
  a.altUpperLimit = argv[14];
  a.isProfilePlot = toBool(argv[15]);
  a.isMedianLine = toBool(argv[16]);
  a.isQuartileLines = toBool(argv[17]);
  a.isPercentileLines = toBool(argv[18]);
  a.hideCurtainGrid = toInt(argv[19]);
  a.hideProfileGrid = toInt(argv[20]);
  return a;
}

// Integer arguments as gnuplot must read them: plain decimal numbers.
std::string scriptNumber(const std::string& text) { return plainDecimal(text); }

int runSteps(RunState& run, int argc, const char* const* argv) {
  PlotLog& log = run.ErrorLog;
  if (!checkArguments(log, argc, argv)) return 0;
  run.args = convertArguments(argv);
  const PlotArguments& args = run.args;

  if (!readDataList(run, args.location)) return 0;
  if (args.endFile > static_cast<long long>(run.DataFileList.size())) {
    log.logLine("ERROR: endFile: " + intToString(args.endFile) + " cannot be greater than " +
                intToString(static_cast<long long>(run.DataFileList.size())) + " for location: " + args.location);
    return 0;
  }
  setTimeWindow(run, args.isTimeRange, args.startTime, args.endTime);

  // The bins cover the altitude limits; only bins that receive a value are kept.
  run.altLower = toInt(args.altLowerLimit);
  run.binCount = (static_cast<long long>(toInt(args.altUpperLimit)) - run.altLower) / 100 + 1;
  run.collectBins = args.isMedianLine || args.isQuartileLines || args.isPercentileLines;

  bool failed = false;
  bool curtainOpen = run.curtain.open("curtain_data.dat");
  bool profileOpen = run.profile.open("profile_data.dat");
  bool medianOpen = run.median.open("median_data.dat");
  if (!curtainOpen || !profileOpen || !medianOpen) {
    if (!curtainOpen) log.logLine("ERROR: failed to open file: curtain_data.dat ");
    if (!profileOpen) log.logLine("ERROR: failed to open file: profile_data.dat ");
    if (!medianOpen) log.logLine("ERROR failed to open file: median_data.dat ");
    failed = true;
  } else {
    for (long long index = args.startFile; index < args.endFile && !run.selection.stopped; ++index) {
      FileOutcome outcome = readProfileFile(run, run.DataFileList[static_cast<size_t>(index)]);
      if (outcome != FileOutcome::Read) {
        failed = true;
        break;
      }
    }
    if (!failed) {
      if (!run.selection.stopped && !run.ProfileEndStamps.empty())
        run.selection.curtainEndStamp = run.ProfileEndStamps.back();
      if (args.isProfilePlot && run.collectBins)
        writeMedianData(run.binCount, run.AltitudeBins, run.altLower, run.median);
    }
  }
  // A data file that could not be written in full (a full disk, say) must not
  // pass for a good run.
  bool written = true;
  for (auto [file, name] : {std::pair{&run.curtain, "curtain_data.dat"}, std::pair{&run.profile, "profile_data.dat"},
                            std::pair{&run.median, "median_data.dat"}}) {
    if (!file->close() && !failed) {
      log.logLine(std::string("ERROR: failed to write file: ") + name);
      written = false;
    }
  }
  if (failed || !written) return 0;

  const SelectionState& selection = run.selection;
  if (selection.noneSelectedYet) {
    log.logLine("ERROR: NO DATA IN RANGE: " + std::string(" StartDate_Time = ") + intToString(run.WindowStartDate) +
                "_" + intToString(run.WindowStartTime) + "; EndDate_Time = " + intToString(run.WindowEndDate) + "_" +
                intToString(run.WindowEndTime));
    log.logLine("argv[8], argv[9] >> startTime, endTime = " + args.startTime + ", " + args.endTime);
    return 0;
  }

  // The two stamps go into gnuplot commands between double quotes: a stamp
  // that could end the quoted text or start a command is refused before any
  // gnuplot is started.
  for (const std::string* stamp : {&selection.curtainStartStamp, &selection.curtainEndStamp}) {
    if (!isSafeInGnuplot(*stamp)) {
      log.logLine("ERROR: time stamp not usable in a plot command: " + *stamp);
      return 0;
    }
  }

  // A run whose log cannot be written starts no gnuplot.
  if (log.writeError() != 0) return 0;

  if (args.isProfilePlot) {
    ProfilePlotSettings settings;
    settings.plottedProfileCount = selection.plottedProfileCount;
    settings.altLowerLimit = intToString(run.altLower);
    settings.altUpperLimit = intToString(toInt(args.altUpperLimit));
    settings.isNumberDensity = args.isNumberDensity;
    settings.xLowerLimit = scriptNumber(args.xLowerLimit);
    settings.xUpperLimit = scriptNumber(args.xUpperLimit);
    settings.isMedianLine = args.isMedianLine;
    settings.isQuartileLines = args.isQuartileLines;
    settings.isPercentileLines = args.isPercentileLines;
    if (!plotProfile(log, settings, args.hideProfileGrid, run.gnuplotTimeLimitMs)) return 0;
  }

  CurtainPlotSettings curtain;
  curtain.plottedProfileCount = selection.plottedProfileCount;
  curtain.altLowerLimit = intToString(run.altLower);
  curtain.altUpperLimit = intToString(toInt(args.altUpperLimit));
  curtain.isNumberDensity = args.isNumberDensity;
  curtain.startStamp = selection.curtainStartStamp;
  curtain.endStamp = selection.curtainEndStamp;
  curtain.severalFiles = run.DataFileList.size() > 1;

  std::string path = findGnuplot();
  log.logLine("OK. Curtain::gnuplotPath " + gnuplotPathForLog(path));
  GnuplotPipe pipe(path, "curtain_plot.jpg");
  for (const std::string& command : curtainScript(curtain, args.hideCurtainGrid)) pipe.send(command);
  // The last two lines say that the run reached its end: they are written
  // only once gnuplot has ended and left its image.
  std::string failure = pipe.finish(run.gnuplotTimeLimitMs);
  if (!failure.empty()) {
    log.logLine(failure);
    return 0;
  }
  log.logLine("OK. Start: " + selection.curtainStartStamp);
  log.logLine("Ok. End:   " + selection.curtainEndStamp);
  return 1;
}

}  // namespace

int runPlotGenerator(RunState& run, int argc, const char* const* argv) {
  std::time_t now = std::time(nullptr);
  const char* timeText = std::ctime(&now);
  std::string startText = timeText ? timeText : "";
  // The time text ends with its own line end, which gives the empty line
  // after the start line; the log writes no line end inside a line.
  if (!startText.empty() && startText.back() == '\n') startText.pop_back();

  PlotLog& log = run.ErrorLog;
  int openError = 0;
  if (!log.open("_CErr_.txt", &openError)) {
    std::cerr << "Error: Vantor could not open file \"_CErr_.txt\", please report this error to " << platform::kSupportAddress
              << ". Thank you." << std::flush;
    return 0;
  }
  log.logLine("OK. Starting: " + startText);
  log.logLine("");
  int status = 0;
  try {
    status = runSteps(run, argc, argv);
  } catch (const std::exception& error) {
    log.logLine(std::string("ERROR: ") + error.what());
  } catch (...) {
    log.logLine("ERROR: unexpected failure");
  }
  // After a failure that left the steps early, the data files stand as far
  // as they were written.
  for (DataFile* file : {&run.curtain, &run.profile, &run.median}) file->close();
  log.close();
  if (log.writeError() != 0) {
    // Nobody can read the run's outcome from its log: say so here.
    std::cerr << "Error: Vantor could not write file \"_CErr_.txt\" (" << std::strerror(log.writeError())
              << "), please report this error to " << platform::kSupportAddress << ". Thank you." << std::flush;
    return 0;
  }
  return status;
}

}  // namespace plotgen
