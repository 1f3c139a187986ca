// The gnuplot scripts of the profile plot and the curtain plot.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "plotgen/plot_log.h"

namespace plotgen {

// MonthNames and PaletteColours keep their established names, without the k
// of the other constants.
inline constexpr std::array<std::string_view, 12> MonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// The curtain palette: 25 colours, one band of 4 palette units each.
inline constexpr std::array<std::string_view, 25> PaletteColours = {
    "ff8cff", "dd6ff2", "bb52e5", "9935d8", "7718cb", "0000bb", "002ccc", "0058dd", "0084ee",
    "00afff", "00ebff", "27ffd7", "63ff9b", "a3ff5b", "d3ff2b", "ffff00", "ffcf00", "ff9f00",
    "ff6f00", "ff3f00", "ff0000", "d8000f", "b2001f", "8c002f", "66003f"};

struct ProfilePlotSettings {
  int plottedProfileCount = 0;
  std::string altLowerLimit;
  std::string altUpperLimit;
  bool isNumberDensity = false;
  std::string xLowerLimit;
  std::string xUpperLimit;
  bool isMedianLine = false;
  bool isQuartileLines = false;
  bool isPercentileLines = false;
};

// An altitude limit in metres (an integer text) written in kilometres, exactly
// and without trailing zeros: "100" is 0.1, "12000" is 12, "2500" is 2.5.
std::string kilometres(std::string_view metres);

// The profile script without its closing "exit", which the pipe sends. It
// draws the altitudes in kilometres.
std::vector<std::string> profileScript(const ProfilePlotSettings& settings, int hideProfileGrid);
// Logs the gnuplot path, runs the profile script and returns once gnuplot has
// ended (or was stopped after timeLimitMs): true when it made the image, else
// false after logging the ERROR line that says what happened.
bool plotProfile(PlotLog& log, ProfilePlotSettings settings, int hideProfileGrid, long long timeLimitMs);

struct CurtainPlotSettings {
  int plottedProfileCount = 0;
  std::string altLowerLimit;
  std::string altUpperLimit;
  bool isNumberDensity = false;
  std::string startStamp;
  std::string endStamp;
  bool severalFiles = false;  // the list file holds more than one entry
};

// The curtain script, ending with its own "exit".
std::vector<std::string> curtainScript(const CurtainPlotSettings& settings, int hideCurtainGrid);
std::string paletteCommand();
// "05-JAN-2018 at 09:30" for the stamp 2018-01-05,09:30:00.
std::string stampTitle(std::string_view stamp);
std::string curtainTitle(std::string_view startStamp, std::string_view endStamp, bool isNumberDensity);

// True when a stamp may stand inside a gnuplot command: no quote of either
// kind, no backquote, no backslash and no control character.
bool isSafeInGnuplot(std::string_view text);

}  // namespace plotgen
